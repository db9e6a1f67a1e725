// Files dropped on the main window: a chapter or a list of names becomes a
// loose chapter, chosen under "Unbound"; a file that does not load shows the
// failure lines and leaves nothing behind.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <filesystem>

#include "UiTestSupport.h"

using vael::uitest::LoadableChapter;
using vael::uitest::UiFixture;

namespace {

// What the desktop sends when files are dragged onto the window and let go.
// Answers whether the window took the drag.
bool DropFiles(QWidget& window, const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data.setUrls(urls);
  const QPoint point(185, 120);
  QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(point), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
  return drop.isAccepted();
}

}  // namespace

class DropTest : public QObject {
  Q_OBJECT
 private slots:
  void droppedListBecomesTheChosenLooseChapter() {
    UiFixture f;
    f.WriteBook("elves", "Elves\r\n");
    f.WriteChapter("elves/wood.vel", LoadableChapter("Wood elves"));
    f.Write("outside/villages.txt", "Ashby\nBarrowick\nBrockton\nCaldby\nCranford\nDunmere\n");
    f.Write("villages.vel", "taken, by a file that is no chapter");
    f.Start();
    QCOMPARE(f.Entries("cmbBook"), QStringList({"Elves", "Unbound"}));  // villages.vel is loose
    f.ChooseBook("Elves");

    QVERIFY(DropFiles(f.window(), {QString::fromStdString(f.Path("outside/villages.txt"))}));
    QTRY_COMPARE(f.Status(), QString("Chapter added"));
    QCOMPARE(f.List("cmbBook")->currentText(), QString("Unbound"));
    QCOMPARE(f.List("cmbChapter")->currentText(), QString("villages 2"));
    QCOMPARE(f.InfoLines(), QStringList({"Sample names from a plain list", "6 names from villages.txt", ""}));
    QVERIFY(f.Enabled("btnNext"));
    QVERIFY(std::filesystem::exists(f.Path("villages 2.vel")));
  }

  void chapterDroppedIntoAFolderWithoutLooseChaptersAddsUnbound() {
    UiFixture f;
    f.WriteBook("elves", "Elves\r\n");
    f.WriteChapter("elves/wood.vel", LoadableChapter("Wood elves"));
    f.WriteChapter("outside/high.vel", LoadableChapter("High elves"));
    f.Start();
    QCOMPARE(f.Entries("cmbBook"), QStringList({"Elves"}));
    QVERIFY(DropFiles(f.window(), {QString::fromStdString(f.Path("outside/high.vel"))}));
    QTRY_COMPARE(f.Status(), QString("Chapter added"));
    QCOMPARE(f.Entries("cmbBook"), QStringList({"Elves", "Unbound"}));
    QCOMPARE(f.List("cmbChapter")->currentText(), QString("High elves"));
    QCOMPARE(f.InfoLines(), QStringList({"High elves line one", "High elves line two", "Tester"}));
  }

  // A name in an older encoding (here Windows-1252, as chapters from an
  // old archive have) is not UTF-8; the desktop sends its bytes
  // percent-encoded, and they name the file only as they are.
  void aFileWhoseNameIsNotUtf8IsAdded() {
    UiFixture f;
    f.Write("outside/V\xF6lker.txt", "Ashby\nBarrowick\nBrockton\nCaldby\nCranford\nDunmere\n");
    f.WriteChapter("outside/S\xE5ga.vel", LoadableChapter("Saga"));
    f.Start();
    const QByteArray folder = "file://" + QUrl::toPercentEncoding(QString::fromStdString(f.Path("outside/")), "/");
    for (const char* name : {"V%F6lker.txt", "S%E5ga.vel"}) {
      QMimeData data;
      data.setData("text/uri-list", folder + name + "\r\n");
      const QPoint point(185, 120);
      QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&f.window(), &enter);
      QVERIFY(enter.isAccepted());
      QDropEvent drop(QPointF(point), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&f.window(), &drop);
      f.window().SetStatus(QString());
      QTRY_COMPARE(f.Status(), QString("Chapter added"));
    }
    QCOMPARE(f.Entries("cmbChapter"), QStringList({"Saga", QString::fromUtf8("V\u00F6lker")}));
    QVERIFY(std::filesystem::exists(f.Path("V\xF6lker.vel")));
    QVERIFY(std::filesystem::exists(f.Path("S\xE5ga.vel")));
  }

  void fileThatDoesNotLoadShowsTheFailureAndLeavesNoCopy() {
    UiFixture f;
    f.WriteChapter("loose.vel", LoadableChapter("Loose"));
    auto broken = vael::test::ChapterText(LoadableChapter("Broken"));
    broken.erase(broken.find("GENOPT"), std::string("GENOPT \"STATGEN\";\r\n").size());
    f.Write("outside/broken.vel", broken);
    f.Write("outside/notes.doc", "Ashby\nBarrowick\n");
    f.Start();
    f.ChooseBook("Unbound");
    f.ChooseChapter("Loose");

    // Files that cannot be chapters are not taken at all.
    QVERIFY(!DropFiles(f.window(), {QString::fromStdString(f.Path("outside/notes.doc"))}));
    QVERIFY(DropFiles(f.window(), {QString::fromStdString(f.Path("outside/broken.vel"))}));
    QTRY_COMPARE(f.Status(), QString("Chapter not added"));
    QCOMPARE(f.InfoLines(), QStringList({"FAILURE", "Attempt to open chapter failed.",
                                         "Cause: Invalid or missing GENOPT tag"}));
    QVERIFY(!std::filesystem::exists(f.Path("broken.vel")));
    // The chapter that was chosen stays chosen and usable.
    QCOMPARE(f.List("cmbChapter")->currentText(), QString("Loose"));
    QVERIFY(f.Enabled("btnNext"));
  }
};

VAEL_UI_TEST(DropTest);
#include "DropTest.moc"
