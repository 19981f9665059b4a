// scramblo-cli: the anagram finder on the command line.
#include <cstdio>
#include <exception>

#include "command_line.h"
#include "interrupt.h"
#include "scramblo_version.h"
#include "session.h"

int main(int argc, char** argv) {
    using namespace scramblo::cli;
    try {
        Options options = parseCommandLine({argv + 1, argv + argc});
        if (options.showHelp) {
            std::fputs(usageText().c_str(), stdout);
        } else if (options.showVersion) {
            std::puts("scramblo-cli " SCRAMBLO_VERSION);
        } else {
            installSignalHandlers();
            return Session(options).run();
        }
        return ExitOk;
    } catch (const UsageError& error) {
        std::fprintf(stderr, "scramblo-cli: %s\nTry 'scramblo-cli --help' for more information.\n",
                     error.what());
        return ExitUsage;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "scramblo-cli: %s\n", error.what());
        return ExitFailure;
    }
}
