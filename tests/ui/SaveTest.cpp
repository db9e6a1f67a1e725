// Saving checked names: formats, layouts, the extension rule, the overwrite
// question and failures that must leave an existing file as it was.

#include <QDir>
#include <QLabel>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "UiTestSupport.h"
#include "support/ChildProcess.h"

using vael::uitest::LoadableChapter;
using vael::uitest::UiFixture;

namespace {

struct Ready {
  UiFixture f;
  TForm1* window = nullptr;
  Ready() {
    f.WriteChapter("names.vel", LoadableChapter("Names"));
    window = &f.Start();
    f.ChooseBook("Unbound");
    f.ChooseChapter("Names");
    for (int i = 0; i < 4; ++i) window->btnNextClick();
    f.Check(0);
    f.Check(2);
  }
  std::vector<vael::HistoryItem> Items() {
    std::vector<vael::HistoryItem> items;
    for (int row = 0; row < f.History()->count(); ++row) {
      items.push_back({vael::ui::ToWindows1252(f.History()->item(row)->text()),
                       f.History()->item(row)->checkState() == Qt::Checked});
    }
    return items;
  }
  std::string Expected(vael::DocumentFormat format) {
    return vael::NamesDocument(format, "Names", "Names line one", f.List("cmbSystem")->currentIndex(),
                               f.List("cmbDesc")->currentIndex(), Items());
  }
  void Save(const std::string& name, int filter) {
    f.saveDialog.answers.push_back({true, QString::fromStdString(f.Path(name)), filter});
    window->mniSaveClick();
  }
  // Saves over an existing file, answering the overwrite question, and
  // tells what the window showed: "Saved" or the information lines.
  std::string Overwrite(const std::string& name) {
    f.warningBox.answers = {true};
    window->SetStatus(QString());
    Save(name, 2);
    return (f.Status() == "Saved" ? f.Status() : f.InfoLines().join("|")).toStdString();
  }
};

struct stat Status(const std::string& path) {
  struct stat status {};
  ::stat(path.c_str(), &status);
  return status;
}

}  // namespace

class SaveTest : public QObject {
  Q_OBJECT
 private slots:
  void bothFormatsAndLayoutsWriteTheDocumentsBytes() {
    Ready r;
    struct Case {
      const char* file;
      int filter;
      int system;
      int lines;
      vael::DocumentFormat format;
    };
    const Case cases[] = {{"list.rtf", 1, 0, 0, vael::DocumentFormat::RichText},
                          {"list.txt", 2, 0, 0, vael::DocumentFormat::PlainText},
                          {"block.rtf", 1, 2, 3, vael::DocumentFormat::RichText},
                          {"block.txt", 2, 0, 8, vael::DocumentFormat::PlainText}};
    for (const Case& c : cases) {
      r.f.List("cmbSystem")->setCurrentIndex(c.system);
      r.f.List("cmbDesc")->setCurrentIndex(c.lines);
      r.window->SetStatus(QString());
      r.Save(c.file, c.filter);
      QCOMPARE(r.f.Status(), QString("Saved"));
      const std::string bytes = vael::test::ReadFile(r.f.Path(c.file));
      QVERIFY2(!bytes.empty(), c.file);
      QVERIFY2(bytes == r.Expected(c.format), c.file);
    }
  }

  void theFilterDecidesFormatAndMissingExtension() {
    Ready r;
    r.Save("plain", 2);
    QCOMPARE(vael::test::ReadFile(r.f.Path("plain.txt")), r.Expected(vael::DocumentFormat::PlainText));
    r.Save("rich", 1);
    QCOMPARE(vael::test::ReadFile(r.f.Path("rich.rtf")), r.Expected(vael::DocumentFormat::RichText));
    r.Save("names.rtf", 2);  // the extension does not choose the format
    QCOMPARE(vael::test::ReadFile(r.f.Path("names.rtf")), r.Expected(vael::DocumentFormat::PlainText));
    // The dialog keeps the filter chosen last.
    r.f.saveDialog.answers.push_back({false, {}, 0});
    r.window->mniSaveClick();
    QCOMPARE(r.window->saveFilterIndex, 2);
  }

  void overwriteAsksAndCancelShowsTheDialogAgainEmpty() {
    Ready r;
    vael::test::WriteFile(r.f.Path("keep.txt"), "old");
    const QString keep = QString::fromStdString(r.f.Path("keep.txt"));
    r.f.saveDialog.answers = {{true, keep, 2}, {true, keep, 2}};
    r.f.warningBox.answers = {false, true};
    r.window->mniSaveClick();
    QCOMPARE(r.f.warningBox.asked, QStringList({"keep.txt: The file is about to be overwritten.",
                                                "keep.txt: The file is about to be overwritten."}));
    QCOMPARE(r.f.saveDialog.shown.size(), std::size_t(2));
    QCOMPARE(r.f.saveDialog.shown[1].presetName, QString());
    QCOMPARE(vael::test::ReadFile(r.f.Path("keep.txt")), r.Expected(vael::DocumentFormat::PlainText));

    // Cancel in the dialog ends the command without a trace.
    const QString folder = r.window->saveFolder;
    r.window->SetStatus("before");
    r.window->mniSaveClick();
    QCOMPARE(r.f.Status(), QString("before"));
    QCOMPARE(r.window->saveFolder, folder);
  }

  void aFileThatCannotBeCreatedShowsTheFailureAndKeepsTheFolder() {
    Ready r;
    r.Save("missing/names", 2);
    QCOMPARE(r.f.InfoLines(), QStringList({"FAILURE", "Couldn't write to file", "names"}));
    QVERIFY(r.f.Shown("pnlInfo"));
    QCOMPARE(r.window->saveFolder, QString::fromStdString(r.f.Path("missing")));
    r.window->mniSaveClick();  // no answer left: cancelled
    QCOMPARE(r.f.saveDialog.shown.back().folder, QString::fromStdString(r.f.Path("missing")));
  }

  void aWriteThatFailsMidwayLeavesTheOldFile() {
    Ready r;
    r.f.List("cmbSystem")->setCurrentIndex(2);  // a long document
    const std::string old = "the old names\r\n";
    vael::test::WriteFile(r.f.Path("old.txt"), old);
    const auto before = vael::test::FolderEntries(r.f.Path(""));
    QCOMPARE(vael::test::InChild({.fileSizeLimit = 64}, [&] { return r.Overwrite("old.txt"); }),
             std::string("FAILURE|Couldn't write to file|old.txt"));
    QCOMPARE(vael::test::ReadFile(r.f.Path("old.txt")), old);
    QCOMPARE(vael::test::FolderEntries(r.f.Path("")), before);  // no half-written temporary file
  }

  // The file a link names is replaced, and the link, the permission bits
  // and the owner stay.
  void savingThroughALinkKeepsTheLinkPermissionsAndOwner() {
    Ready r;
    std::filesystem::create_directory(r.f.Path("archive"));
    const std::string real = r.f.Path("archive/real.txt");
    vael::test::WriteFile(real, "old");
    ::chmod(real.c_str(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) QCOMPARE(::chown(real.c_str(), vael::test::kOrdinaryUser, vael::test::kOrdinaryUser), 0);
    std::filesystem::create_symlink("archive/real.txt", r.f.Path("names.txt"));
    QCOMPARE(r.Overwrite("names.txt"), std::string("Saved"));
    QVERIFY(std::filesystem::is_symlink(r.f.Path("names.txt")));
    QCOMPARE(vael::test::ReadFile(real), r.Expected(vael::DocumentFormat::PlainText));
    QCOMPARE(vael::test::Mode(real), mode_t(0640));
    QCOMPARE(Status(real).st_uid, root ? vael::test::kOrdinaryUser : ::geteuid());
    QCOMPARE(vael::test::FolderEntries(r.f.Path("archive")), std::vector<std::string>{"real.txt"});
  }

  // As an ordinary user: a writable file in a folder one cannot write is
  // written where it is, and a failure there is still reported; a
  // read-only file is refused and kept, though its folder is writable.
  void anOrdinaryUserSavesIntoAFolderTheyCannotWrite() {
    Ready r;
    std::filesystem::create_directory(r.f.Path("shut"));
    std::filesystem::create_directory(r.f.Path("free"));
    const std::string open = r.f.Path("shut/open.txt"), locked = r.f.Path("free/locked.txt");
    vael::test::WriteFile(open, "old");
    vael::test::WriteFile(locked, "old");
    ::chmod(open.c_str(), 0666);
    ::chmod(locked.c_str(), 0444);
    ::chmod(r.f.Path("shut").c_str(), 0555);
    ::chmod(r.f.Path("free").c_str(), 0777);
    const ino_t inode = Status(open).st_ino;

    const vael::test::ChildLimits user{.ordinaryUser = true};
    QCOMPARE(vael::test::InChild(user, [&] { return r.Overwrite("shut/open.txt"); }),
             std::string("Saved"));
    QCOMPARE(vael::test::ReadFile(open), r.Expected(vael::DocumentFormat::PlainText));
    QCOMPARE(Status(open).st_ino, inode);
    QCOMPARE(vael::test::InChild(user, [&] { return r.Overwrite("free/locked.txt"); }),
             std::string("FAILURE|Couldn't write to file|locked.txt"));
    QCOMPARE(vael::test::ReadFile(locked), std::string("old"));

    r.f.List("cmbSystem")->setCurrentIndex(2);  // longer than the limit
    QCOMPARE(vael::test::InChild({.ordinaryUser = true, .fileSizeLimit = 64},
                                 [&] { return r.Overwrite("shut/open.txt"); }),
             std::string("FAILURE|Couldn't write to file|open.txt"));
    QCOMPARE(vael::test::FolderEntries(r.f.Path("shut")), std::vector<std::string>{"open.txt"});
    QCOMPARE(vael::test::FolderEntries(r.f.Path("free")), std::vector<std::string>{"locked.txt"});
  }

  void theNextDialogOpensInTheFolderOfTheLastSave() {
    Ready r;
    std::filesystem::create_directory(r.f.Path("out"));
    r.Save("out/first", 1);
    QCOMPARE(r.f.saveDialog.shown[0].folder, QString());  // the working folder
    r.window->mniSaveClick();
    QCOMPARE(r.f.saveDialog.shown[1].folder, QString::fromStdString(r.f.Path("out")));
  }
};

VAEL_UI_TEST(SaveTest);
#include "SaveTest.moc"
