// The start in a folder without books: the window works in the user's
// library, made from the installed samples, or says why it cannot.

#include <QLabel>

#include <filesystem>

#include "UiTestSupport.h"
#include "ui/StartFolder.h"

using vael::uitest::LoadableChapter;
using vael::uitest::UiFixture;

namespace fs = std::filesystem;

namespace {

// An installed sample library with one book, and a home without a library.
struct Machine {
  vael::test::TempDir root;
  vael::LibraryPlaces places;
  Machine() {
    const fs::path installed = root.path() / "usr/share/vael/library";
    fs::create_directories(installed / "elder");
    vael::test::WriteFile((installed / "elder/book.dat").string(), "Elder Realms\r\n");
    vael::test::WriteFile((installed / "elder/dwarves.vel").string(),
                          vael::test::ChapterText(LoadableChapter("Dwarves")));
    vael::test::WriteFile((installed / "vael.hlp").string(), "Help\r\n");
    places = {vael::UserLibraryFolder(nullptr, (root.path() / "home").c_str()), installed.string()};
  }
};

}  // namespace

class LibraryStartTest : public QObject {
  Q_OBJECT
 private slots:
  void startWithoutBooksWorksInTheUsersLibrary() {
    Machine machine;
    UiFixture f;  // an empty working folder
    const vael::ui::StartFolder start = vael::ui::EnterLibrary(machine.places);
    QVERIFY(start.cause.isEmpty());
    QCOMPARE(QString::fromStdString(fs::current_path().string()), QString::fromStdString(machine.places.user));
    vael::ui::ApplyStartFolder(f.Start(), start);
    QCOMPARE(f.window().helpFilePath, std::string("vael.hlp"));
    QCOMPARE(f.List("cmbBook")->count(), 1);
    f.ChooseBook("Elder Realms");
    f.ChooseChapter("Dwarves");
    QCOMPARE(f.Status(), QString("Chapter loaded"));
    // The compiled chapter lands in the user's library, not beside the samples.
    QVERIFY(fs::exists(fs::path(machine.places.user) / "elder/dwarves.qch"));
    QVERIFY(!fs::exists(fs::path(machine.places.installed) / "elder/dwarves.qch"));
  }

  void libraryThatCannotBeMadeLeavesTheWindowEmptyWithOneFailure() {
    Machine machine;
    vael::test::WriteFile((machine.root.path() / "home").string(), "not a folder");
    UiFixture f;
    const fs::path working = fs::current_path();
    const vael::ui::StartFolder start = vael::ui::EnterLibrary(machine.places);
    QCOMPARE(fs::current_path(), working);
    vael::ui::ApplyStartFolder(f.Start(), start);
    QCOMPARE(f.List("cmbBook")->count(), 0);
    QVERIFY(!f.Enabled("cmbBook"));
    QCOMPARE(f.InfoLines(), QStringList({"FAILURE", "Couldn't create your library (Not a directory).",
                                         QString::fromStdString(machine.places.user)}));
    // The help of the installed library stands in for the missing one.
    QCOMPARE(f.window().helpFilePath, machine.places.installed + "/vael.hlp");
  }
};

VAEL_UI_TEST(LibraryStartTest);
#include "LibraryStartTest.moc"
