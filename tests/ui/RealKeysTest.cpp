// The book list under real key events from an X server (run-under-xvfb):
// a keyboard choice keeps the focus on the list, and typing in the open
// drop-down picks nothing. Offscreen, or without xdotool, the class skips.

#include <QAbstractItemView>
#include <QApplication>
#include <QProcess>
#include <QStandardPaths>

#include "UiTestSupport.h"

using vael::uitest::LoadableChapter;
using vael::uitest::UiFixture;

namespace {

// Presses keys on the X server, as a person at the keyboard would.
bool PressKeys(const QStringList& keys) {
  QProcess xdotool;
  xdotool.start(QStringLiteral("xdotool"), QStringList{"key", "--delay", "80"} + keys);
  if (!xdotool.waitForFinished(10000)) {
    xdotool.kill();
    return false;
  }
  return xdotool.exitStatus() == QProcess::NormalExit && xdotool.exitCode() == 0;
}

}  // namespace

class RealKeysTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
      QSKIP("needs an X display; ctest runs this class through tests/ui/run-under-xvfb");
    }
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
      QSKIP("xdotool is missing (scripts/setup installs it)");
    }
  }

  void keyboardChoicesKeepTheFocusAndTypingPicksNothing() {
    UiFixture f;
    f.WriteBook("elves", "Elves\r\n");
    f.WriteChapter("elves/wood.vel", LoadableChapter("Wood elves"));
    f.WriteBook("giants", "Giants\r\n");
    f.WriteBook("plain", "Plain\r\n");
    TForm1& window = f.Start();
    QComboBox* books = f.List("cmbBook");
    window.activateWindow();
    QTRY_VERIFY(window.isActiveWindow());
    QTRY_COMPARE(QApplication::focusWidget(), books);

    // Down loads the first book; a second Down reaches the list again.
    QVERIFY(PressKeys({"Down"}));
    QTRY_COMPARE(f.Status(), QString("Book loaded"));
    QCOMPARE(books->currentText(), QString("Elves"));
    QCOMPARE(QApplication::focusWidget(), books);
    QVERIFY(PressKeys({"Down"}));
    QTRY_COMPARE(books->currentText(), QString("Giants"));
    QTRY_COMPARE(f.Status(), QString("Book loaded"));
    QCOMPARE(QApplication::focusWidget(), books);
    QVERIFY(PressKeys({"Up"}));
    QTRY_COMPARE(books->currentText(), QString("Elves"));
    QTRY_COMPARE(f.Status(), QString("Book loaded"));

    // In the open list a typed P must not jump to Plain; Enter then takes
    // the entry that was already highlighted.
    QVERIFY(PressKeys({"alt+Down"}));
    QTRY_VERIFY(books->view()->isVisible());
    QVERIFY(PressKeys({"p"}));
    QTest::qWait(200);
    QCOMPARE(books->view()->currentIndex().data().toString(), QString("Elves"));
    QVERIFY(PressKeys({"Return"}));
    QTRY_VERIFY(!books->view()->isVisible());
    QTRY_COMPARE(f.Status(), QString("Book loaded"));
    QCOMPARE(books->currentText(), QString("Elves"));
    QCOMPARE(f.List("cmbChapter")->count(), 1);
  }
};

VAEL_UI_TEST(RealKeysTest);
#include "RealKeysTest.moc"
