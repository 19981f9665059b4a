// scramblo-cli: the anagram finder on the command line.
#include <exception>
#include <string>
#include <vector>

#include "command_line.h"
#include "interrupt.h"
#include "scramblo_version.h"
#include "session.h"
#include "text_encoding.h"
#include "text_stream.h"

#ifdef _WIN32
#include "settings/wide_text.h"
#endif

namespace {

// The arguments after the program's name.
int run(const std::vector<std::string>& arguments) {
    using namespace scramblo::cli;
    // Until the options are read, messages take the default encoding.
    TextStream errors(stderr, TerminalText().output());
    try {
        Options options = parseCommandLine(arguments);
        const TerminalText text(options.raw, options.outputEncoding);
        errors = TextStream(stderr, text.output());
        if (options.showHelp || options.showVersion) {
            TextStream out(stdout, text.output());
            out.write(options.showHelp ? usageText() : "scramblo-cli " SCRAMBLO_VERSION "\n");
            out.flush();
            return ExitOk;
        }
        installSignalHandlers();
        return Session(options, text).run();
    } catch (const UsageError& error) {
        printMessage(errors, std::string(error.what()) +
                                 "\nTry 'scramblo-cli --help' for more information.");
        return ExitUsage;
    } catch (const std::exception& error) {
        printMessage(errors, error.what());
        return ExitFailure;
    }
}

}  // namespace

#ifdef _WIN32
// The wide command line holds every character of the phrase, whatever the
// ANSI code page.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(scramblo::toUtf8(argv[i]));
    return run(arguments);
}
#else
int main(int argc, char** argv) {
    return run({argv + 1, argv + argc});
}
#endif
