// Runs the built scramblo-cli as a process, as a user would, in both the
// native and the Windows tree; natively also one whose standard output is a
// pipe that the test reads, closes or interrupts while it runs.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace scramblo::cli::testing {

using scramblo::testing::TempFolder;

std::string readFile(const std::string& path);

struct ProcessResult {
    int exitCode;     // natively 128 + the signal number when a signal ended it
    std::string out;  // line ends as LF, also from Windows
    std::string err;

    std::vector<std::string> lines() const;
};

struct RunOptions {
    std::string locale = "C";  // LC_ALL natively; Windows uses its ANSI code page
    std::string directory;     // the working directory; empty: the test's
    std::string outputFile;    // natively, standard output goes there instead of `out`
    std::string program;       // empty: the scramblo-cli of this tree
};

// Natively the arguments pass as bytes; on Windows they are read as UTF-8 and
// passed as Unicode.
ProcessResult runCli(const std::vector<std::string>& arguments, const RunOptions& options = {});

#ifdef _WIN32

// Runs scramblo-cli with its standard output and error on a new console of the
// test's own in the given code page; answers the lines that the console shows,
// of up to 80 characters, and at most kConsoleRows of them.
constexpr short kConsoleRows = 5000;
std::vector<std::string> runCliInConsole(const std::vector<std::string>& arguments,
                                         unsigned codePage);

#else

// scramblo-cli running with its standard output on a pipe.
class RunningCli {
  public:
    explicit RunningCli(const std::vector<std::string>& arguments);
    // Kills the process if it still runs.
    ~RunningCli();
    RunningCli(const RunningCli&) = delete;
    RunningCli& operator=(const RunningCli&) = delete;

    // The next line of standard output; nothing at its end.
    std::optional<std::string> readLine();
    std::vector<std::string> readRemainingLines();
    // Closes the reading end, as `| head -1` does after one line.
    void closeOutput();
    void signal(int number);
    // The exit code as for ProcessResult, or nothing if the process still
    // runs when the limit has passed.
    std::optional<int> waitFor(std::chrono::seconds limit);
    std::string errors() const;

  private:
    TempFolder directory_;
    std::string errorPath_;
    int pid_ = -1;
    int outputFd_ = -1;
    std::string pending_;  // read but not yet returned
};

#endif

}  // namespace scramblo::cli::testing
