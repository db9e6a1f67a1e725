// Saving checked names: formats, layouts, the extension rule, the overwrite
// question and failures that must leave an existing file as it was.

#include <QDir>
#include <QLabel>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

#include "UiTestSupport.h"

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
};

// Limits the size of any file this process writes, for one scope.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &previous_); }

 private:
  rlimit previous_{};
};

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
    r.f.warningBox.answers = {true};
    {
      FileSizeLimit limit(64);
      r.Save("old.txt", 2);
    }
    QCOMPARE(r.f.InfoLines(), QStringList({"FAILURE", "Couldn't write to file", "old.txt"}));
    QVERIFY(r.f.Status() != "Saved");
    QCOMPARE(vael::test::ReadFile(r.f.Path("old.txt")), old);
    // No half-written temporary file is left beside it.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(r.f.Path(""))) {
      if (entry.path().filename().string().rfind("old.txt", 0) == 0) ++files;
    }
    QCOMPARE(files, 1);
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
