#pragma once
// The window's command line. The window itself takes no arguments, but as
// every desktop program it answers --help and --version on the terminal
// without opening, and refuses what it does not know instead of ignoring
// it. Standard library only: the answers need no display.

namespace vael::ui {

// Status of a start that ends here, or -1 to go on and open the window.
inline constexpr int kOpenWindow = -1;

// Before the toolkit starts: -h or --help prints the usage, --version the
// version, and the start ends with 0 (1 when standard output failed).
int AnswerInformationOptions(int argc, char** argv);

// After the toolkit took its own options (-platform, -style ...) out of
// argv: anything left is refused with the usage line, and the start ends
// with 2.
int RefuseOtherArguments(int argc, char** argv);

}  // namespace vael::ui
