// The window's command line, through the built program: --help and
// --version answer on the terminal without a display, and what the window
// does not know is refused instead of ignored.

#include <QObject>
#include <QTest>

#include "UiTestSupport.h"
#include "support/ProgramRun.h"

namespace {

// Runs vael in a fresh folder; a start that opens the window after all is
// ended by timeout, so a fault shows as a failed test, not a hung one.
vael::test::RunResult RunVael(const std::vector<std::string>& environment,
                              const std::vector<std::string>& arguments) {
  vael::test::TempDir folder;
  std::vector<std::string> command = {"10", VAEL_PROGRAM};
  command.insert(command.end(), arguments.begin(), arguments.end());
  std::vector<std::string> settings = environment;
  settings.push_back(vael::test::ShellQuoted("HOME=" + folder.File("home")));
  settings.push_back(vael::test::ShellQuoted("XDG_CONFIG_HOME=" + folder.File("config")));
  return vael::test::RunProgram(folder.path(), "timeout", settings, command);
}

}  // namespace

class CommandLineTest : public QObject {
  Q_OBJECT
 private slots:
  void helpAndVersionNeedNoDisplay() {
    const std::vector<std::string> noDisplay = {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u",
                                                "QT_QPA_PLATFORM"};
    for (const std::string option : {"--help", "-h"}) {
      const auto help = RunVael(noDisplay, {option});
      QCOMPARE(help.status, 0);
      QVERIFY2(help.out.rfind("usage: vael", 0) == 0, help.out.c_str());
      QVERIFY(help.out.find("--version") != std::string::npos);
      QCOMPARE(help.err, std::string());
    }
    const auto version = RunVael(noDisplay, {"--version"});
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out, std::string("Vaelorn 3.3\n"));
  }

  void unknownArgumentsAreRefusedWithTheUsage() {
    const std::string usage =
        "usage: vael [-h | --help | --version] [toolkit options]  (vael --help for more)\n";
    const std::vector<std::string> offscreen = {"QT_QPA_PLATFORM=offscreen"};
    const auto option = RunVael(offscreen, {"--bogus"});
    QCOMPARE(option.status, 2);
    QCOMPARE(option.out, std::string());
    QCOMPARE(option.err, "vael: unknown option --bogus\n" + usage);
    // The toolkit's own options are still the toolkit's.
    const auto stray = RunVael(offscreen, {"-style", "Fusion", "names.vel"});
    QCOMPARE(stray.status, 2);
    QCOMPARE(stray.err, "vael: unexpected argument names.vel\n" + usage);
  }
};

VAEL_UI_TEST(CommandLineTest);
#include "CommandLineTest.moc"
