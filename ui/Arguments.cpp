#include "ui/Arguments.h"

#include <cerrno>
#include <cstdio>
#include <string_view>

#include "core/files/ReplaceFile.h"

namespace vael::ui {
namespace {

constexpr std::string_view kUsageLine =
    "usage: vael [-h | --help | --version] [toolkit options]  (vael --help for more)\n";

constexpr std::string_view kHelpText =
    "usage: vael [toolkit options]\n"
    "       vael -h | --help | --version\n"
    "\n"
    "Opens the Vaelorn window, a random-name generator, on the books of the\n"
    "current folder, or on your library ($XDG_DATA_HOME/vael/library,\n"
    "~/.local/share/vael/library) when the current folder holds none.\n"
    "\n"
    "  -h, --help     this text\n"
    "      --version  the program's version\n"
    "\n"
    "The toolkit options are those every Qt program takes, such as -platform NAME\n"
    "and -style NAME. Names from the command line: vaelgen --help.\n";

constexpr std::string_view kVersion = "Vaelorn 3.3\n";

// Prints text on standard output: 0, or 1 after saying why it failed.
int Print(std::string_view text) {
  errno = 0;
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (std::fflush(stdout) == 0 && std::fclose(stdout) == 0) return 0;
  const int error = errno != 0 ? errno : EIO;
  std::fprintf(stderr, "vael: couldn't write to standard output: %s\n", WriteErrorText(error).c_str());
  return 1;
}

}  // namespace

int AnswerInformationOptions(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "-h" || argument == "--help") return Print(kHelpText);
  }
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--version") return Print(kVersion);
  }
  return kOpenWindow;
}

int RefuseOtherArguments(int argc, char** argv) {
  if (argc <= 1) return kOpenWindow;
  const std::string_view argument = argv[1];
  const bool option = argument.size() > 1 && argument[0] == '-';
  std::fprintf(stderr, "vael: %s %s\n%.*s", option ? "unknown option" : "unexpected argument", argv[1],
               static_cast<int>(kUsageLine.size()), kUsageLine.data());
  return 2;
}

}  // namespace vael::ui
