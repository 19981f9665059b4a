// Ctrl-C: SIGINT natively, the console control handler on Windows. The
// handler only raises a flag, which the run loop polls; a second Ctrl-C ends
// the program the usual way. A closed output is made to show as a failed
// write instead of a signal that ends the program.
#pragma once

namespace scramblo::cli {

void installSignalHandlers();
bool interruptRequested();

}  // namespace scramblo::cli
