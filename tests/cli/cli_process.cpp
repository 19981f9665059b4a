#include "cli_process.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#ifdef _WIN32
#include <windows.h>

#include "settings/wide_text.h"
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace scramblo::cli::testing {

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

namespace {

std::string programOf(const RunOptions& options) {
    return options.program.empty() ? SCRAMBLO_CLI_PATH : options.program;
}

}  // namespace

std::vector<std::string> ProcessResult::lines() const {
    std::vector<std::string> lines;
    std::istringstream stream(out);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

#ifdef _WIN32

namespace {

// Quoted by the rules that the C runtime's argument parsing undoes.
std::string quoted(const std::string& argument) {
    std::string out = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    return out + "\"";
}

HANDLE inheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string withoutCarriageReturns(std::string text) {
    size_t kept = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') text[kept++] = text[i];
    }
    text.resize(kept);
    return text;
}

// Runs scramblo-cli with the given standard output and error, which it
// closes; answers the exit code.
int runWithHandles(const std::vector<std::string>& arguments, const RunOptions& options, HANDLE out,
                   HANDLE err) {
    std::string commandLine = quoted(programOf(options));
    for (const std::string& argument : arguments) commandLine += " " + quoted(argument);
    // Wide, as the console passes every character of the arguments.
    std::wstring wideCommandLine = toUtf16(commandLine);
    std::wstring directory = toUtf16(options.directory);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    BOOL started =
        CreateProcessW(nullptr, wideCommandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       directory.empty() ? nullptr : directory.c_str(), &startup, &process);
    CloseHandle(out);
    if (err != out) CloseHandle(err);
    if (!started) throw std::runtime_error("cannot start " + commandLine);
    // One that hangs is ended, with the exit code of a process still running.
    constexpr DWORD kLongestRunMs = 120000;
    if (WaitForSingleObject(process.hProcess, kLongestRunMs) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, STILL_ACTIVE);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

}  // namespace

ProcessResult runCli(const std::vector<std::string>& arguments, const RunOptions& options) {
    TempFolder capture;
    std::string outPath = capture.write("out", ""), errPath = capture.write("err", "");
    int exitCode =
        runWithHandles(arguments, options, inheritableFile(outPath), inheritableFile(errPath));
    return {exitCode, withoutCarriageReturns(readFile(outPath)),
            withoutCarriageReturns(readFile(errPath))};
}

std::vector<std::string> runCliInConsole(const std::vector<std::string>& arguments,
                                         unsigned codePage) {
    FreeConsole();
    if (!AllocConsole()) throw std::runtime_error("no console");
    SetConsoleOutputCP(codePage);
    auto openScreen = [](SECURITY_ATTRIBUTES* attributes) {
        return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, attributes, OPEN_EXISTING, 0,
                           nullptr);
    };
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE screen = openScreen(&inherit), reader = openScreen(nullptr);
    // Room for every line without scrolling.
    SetConsoleScreenBufferSize(reader, {80, kConsoleRows});
    runWithHandles(arguments, {}, screen, screen);
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(reader, &info);
    std::vector<std::string> lines;
    std::wstring row(static_cast<size_t>(info.dwSize.X), L' ');
    for (SHORT y = 0; y < info.dwCursorPosition.Y; ++y) {
        DWORD read = 0;
        ReadConsoleOutputCharacterW(reader, row.data(), static_cast<DWORD>(row.size()), {0, y},
                                    &read);
        std::wstring_view text(row.data(), read);
        lines.push_back(toUtf8(text.substr(0, text.find_last_not_of(L' ') + 1)));
    }
    CloseHandle(reader);
    // Back to the console that the test started with, if any.
    FreeConsole();
    AttachConsole(ATTACH_PARENT_PROCESS);
    return lines;
}

#else

namespace {

int exitCodeOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Starts scramblo-cli with the given descriptors as its standard output and
// error; standard input is empty.
pid_t spawn(const std::vector<std::string>& arguments, const RunOptions& options, int out,
            int err) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
    if (!options.directory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, options.directory.c_str());

    std::vector<std::string> strings{programOf(options)};
    strings.insert(strings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& s : strings) argv.push_back(s.data());
    argv.push_back(nullptr);

    std::vector<std::string> environment{"LC_ALL=" + options.locale};
    for (char** variable = environ; *variable != nullptr; ++variable) {
        std::string_view name(*variable);
        if (name.substr(0, 3) != "LC_" && name.substr(0, 5) != "LANG=")
            environment.push_back(*variable);
    }
    std::vector<char*> envp;
    for (std::string& s : environment) envp.push_back(s.data());
    envp.push_back(nullptr);

    pid_t pid = -1;
    int failed = posix_spawn(&pid, strings[0].c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) throw std::runtime_error("cannot start " + strings[0]);
    return pid;
}

int openForWriting(const std::string& path) {
    return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
}

}  // namespace

ProcessResult runCli(const std::vector<std::string>& arguments, const RunOptions& options) {
    TempFolder capture;
    std::string outPath = capture.write("out", ""), errPath = capture.write("err", "");
    int out = openForWriting(options.outputFile.empty() ? outPath : options.outputFile);
    int err = openForWriting(errPath);
    pid_t pid = spawn(arguments, options, out, err);
    close(out);
    close(err);
    int status = 0;
    waitpid(pid, &status, 0);
    return {exitCodeOf(status), readFile(outPath), readFile(errPath)};
}

RunningCli::RunningCli(const std::vector<std::string>& arguments) {
    errorPath_ = directory_.write("err", "");
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
    int err = openForWriting(errorPath_);
    pid_ = spawn(arguments, {}, pipeFds[1], err);
    close(pipeFds[1]);
    close(err);
    outputFd_ = pipeFds[0];
}

RunningCli::~RunningCli() {
    closeOutput();
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::optional<std::string> RunningCli::readLine() {
    for (;;) {
        size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        char buffer[65536];
        ssize_t count = outputFd_ < 0 ? 0 : read(outputFd_, buffer, sizeof buffer);
        if (count <= 0) return std::nullopt;
        pending_.append(buffer, static_cast<size_t>(count));
    }
}

std::vector<std::string> RunningCli::readRemainingLines() {
    std::vector<std::string> lines;
    while (auto line = readLine()) lines.push_back(*line);
    return lines;
}

void RunningCli::closeOutput() {
    if (outputFd_ >= 0) close(outputFd_);
    outputFd_ = -1;
}

void RunningCli::signal(int number) {
    kill(pid_, number);
}

std::optional<int> RunningCli::waitFor(std::chrono::seconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    pid_ = -1;
    return exitCodeOf(status);
}

std::string RunningCli::errors() const {
    return readFile(errorPath_);
}

#endif

}  // namespace scramblo::cli::testing
