// Start-up and shutdown, settings, the shaped window, hints in the status
// line, expand and collapse, and the log window.

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QToolButton>

#include "UiTestSupport.h"
#include "ui/Artwork.h"
#include "ui/HelpWindow.h"

using vael::uitest::PointerEnters;
using vael::uitest::PointerLeaves;
using vael::uitest::UiFixture;

class StartupTest : public QObject {
  Q_OBJECT
 private slots:
  void firstRunShowsDefaultsAndStoresThemAtExit() {
    UiFixture f;
    f.WriteChapter("loose.vel", vael::uitest::LoadableChapter("Loose"));
    f.Start();
    QCOMPARE(f.List("cmbSystem")->currentText(), QString("Generic"));
    QCOMPARE(f.List("cmbDesc")->currentText(), QString("3"));
    QCOMPARE(f.Get<QLineEdit>("ebxPageSize")->text(), QString("100"));
    QCOMPARE(f.Status(), QString());
    QCOMPARE(f.InfoLines().front(), QString("Vaelorn 3.3"));
    QVERIFY(f.Shown("pnlInfo") && !f.Shown("lblName"));
    f.Stop();
    const QString stored = f.SettingsText();
    QVERIFY2(stored.contains("RPG_Stats=1") && stored.contains("Extra_Lines=3") &&
                 stored.contains("List_Size=100"),
             qPrintable(stored));
  }

  void settingsComeBackOnTheNextRun() {
    UiFixture f;
    f.Start();
    f.List("cmbSystem")->setCurrentIndex(5);
    f.List("cmbDesc")->setCurrentIndex(8);
    f.Get<QLineEdit>("ebxPageSize")->setText("abc");  // not a number: stored as 50
    f.Stop();
    f.Start();
    QCOMPARE(f.List("cmbSystem")->currentText(), QString("WH Fantasy"));
    QCOMPARE(f.List("cmbDesc")->currentText(), QString("8"));
    QCOMPARE(f.Get<QLineEdit>("ebxPageSize")->text(), QString("50"));
  }

  void damagedSettingsTakeTheDefaults() {
    UiFixture f;
    f.WriteSettings("[General]\nRPG_Stats=17\nExtra_Lines=-1\nList_Size=123456\n");
    f.Start();
    QCOMPARE(f.List("cmbSystem")->currentIndex(), 1);
    QCOMPARE(f.List("cmbDesc")->currentIndex(), 3);
    QCOMPARE(f.Get<QLineEdit>("ebxPageSize")->text(), QString("100"));
    f.Stop();

    // Not numbers at all; a list size the box can hold is kept as it is.
    UiFixture g;
    g.WriteSettings("[General]\nRPG_Stats=many\nExtra_Lines=\nList_Size=7\n");
    g.Start();
    QCOMPARE(g.List("cmbSystem")->currentIndex(), 1);
    QCOMPARE(g.List("cmbDesc")->currentIndex(), 3);
    QCOMPARE(g.Get<QLineEdit>("ebxPageSize")->text(), QString("7"));
  }

  void booksAreListedSortedWithUnboundForLooseChapters() {
    UiFixture f;
    f.WriteBook("north", "northern Tales\r\n");
    f.WriteBook("elves", "Elves\r\nline\r\n");
    f.WriteBook("empty", "\r\nnot a book\r\n");
    f.WriteBook("asgard", "\xC1sgard\r\n");  // accented capitals sort with their letter
    f.WriteBook("oetzi", "\xD6tzi\r\n");
    f.WriteChapter("loose.vel", vael::uitest::LoadableChapter("Loose"));
    f.Start();
    QCOMPARE(f.Entries("cmbBook"), QStringList({QString::fromUtf8("\u00C1sgard"), "Elves", "northern Tales",
                                                 QString::fromUtf8("\u00D6tzi"), "Unbound"}));
    QCOMPARE(f.List("cmbBook")->currentIndex(), -1);
    // The state No book.
    QVERIFY(f.Enabled("cmbBook") && f.Shown("cmbBook"));
    QVERIFY(!f.Enabled("cmbChapter") && f.Shown("cmbChapter"));
    QVERIFY(!f.Enabled("btnNext") && !f.Enabled("btnStorePage"));
    QVERIFY(!f.Shown("btnLog"));
    QVERIFY(!f.Enabled("lbxHistory") && !f.Enabled("btnSave") && !f.Enabled("btnCopy"));
    QVERIFY(!f.Shown("pnlGaugeHolder"));
  }

  void withoutBooksTheBookListStaysDisabled() {
    UiFixture f;
    f.Start();
    QCOMPARE(f.List("cmbBook")->count(), 0);
    QVERIFY(!f.Enabled("cmbBook"));
  }

  void windowIsShapedPlacedAndCollapsed() {
    UiFixture f;
    TForm1& window = f.Start();
    QCOMPARE(window.mask(), vael::ui::WindowRegion());
    QVERIFY(window.mask().contains(QPoint(0, 34)));
    QVERIFY(!window.mask().contains(QPoint(0, 33)));
    QVERIFY(window.mask().contains(QPoint(183, 3)));   // the crest
    QVERIFY(!window.mask().contains(QPoint(150, 10)));  // beside the medallion
    QVERIFY(!window.mask().contains(QPoint(370, 100)));  // right edge excluded
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(window.pos(), QPoint(screen.width() - 370 - 32, 5));
    QCOMPARE(window.height(), 160);
    QVERIFY(!window.optionsExpanded);
    QCOMPARE(f.Get<QWidget>("btnOptions")->statusTip(), QString("Expand"));
  }

  void expandAndCollapseByButtonAndKeys() {
    UiFixture f;
    TForm1& window = f.Start();
    f.Get<QToolButton>("btnOptions")->click();
    QCOMPARE(window.height(), 330);
    QCOMPARE(f.Get<QWidget>("btnOptions")->statusTip(), QString("Collapse"));
    f.Key(Qt::Key_Down, Qt::ControlModifier, &window);  // already expanded
    QCOMPARE(window.height(), 330);
    f.Key(Qt::Key_Up, Qt::ControlModifier, &window);
    QCOMPARE(window.height(), 160);
    f.Key(Qt::Key_Up, Qt::ControlModifier | Qt::AltModifier, &window);  // Alt: not ours
    f.Key(Qt::Key_Down, Qt::ControlModifier, &window);
    QCOMPARE(window.height(), 330);
  }

  void onlyTheTitleStripDragsTheWindow() {
    UiFixture f;
    TForm1& window = f.Start();
    const QPoint start = window.pos();
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(60, 48));
    QTest::mouseMove(&window, QPoint(90, 58));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(90, 58));
    QTRY_COMPARE(window.pos(), start + QPoint(30, 10));

    // The crest between the two halves of the strip is not part of it.
    const QPoint moved = window.pos();
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(180, 48));
    QTest::mouseMove(&window, QPoint(200, 70));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(200, 70));
    QCOMPARE(window.pos(), moved);
  }

  void hintsGoToTheStatusLineWithoutPopUps() {
    UiFixture f;
    TForm1& window = f.Start();
    for (QWidget* control : window.findChildren<QWidget*>()) {
      QVERIFY2(control->toolTip().isEmpty(), qPrintable(control->objectName()));
    }
    auto* pageSize = f.Get<QLineEdit>("ebxPageSize");
    QWidget* storePage = f.Get<QWidget>("btnStorePage");

    pageSize->setText("20");
    PointerEnters(storePage);
    QCOMPARE(f.Status(), QString("Generate 20"));
    QVERIFY(window.statusShowsHint);
    PointerLeaves(storePage);  // onto a control without a hint
    QCOMPARE(f.Status(), QString());

    // A status message stays until a hint replaces it.
    window.SetStatus("Book loaded");
    PointerEnters(f.Get<QWidget>("btnNext"));
    PointerLeaves(f.Get<QWidget>("btnNext"));
    QCOMPARE(f.Status(), QString());
    window.SetStatus("Book loaded");
    PointerLeaves(storePage);
    QCOMPARE(f.Status(), QString("Book loaded"));
    PointerEnters(f.Get<QWidget>("btnHelp"));
    QCOMPARE(f.Status(), QString("Help"));

    // Every hint validates the list size first.
    pageSize->setText("1");
    PointerEnters(f.Get<QWidget>("btnOptions"));
    QCOMPARE(pageSize->text(), QString("2"));
    QCOMPARE(storePage->statusTip(), QString("Generate 2"));
  }

  void dropDownListsFitTheScreen() {
    QCOMPARE(TForm1::DropDownRows(768, 13), 49);
    QCOMPARE(TForm1::DropDownRows(1024, 16), 56);
    QCOMPARE(TForm1::DropDownRows(200, 13), 8);
    QCOMPARE(TForm1::DropDownRows(100, 13), 8);

    // The open list shows that many rows of a long book list, not a list
    // as high as the screen.
    UiFixture f;
    for (int i = 10; i < 90; ++i) f.WriteBook("b" + std::to_string(i), "Book " + std::to_string(i) + "\r\n");
    f.Start();
    QCOMPARE(QGuiApplication::primaryScreen()->geometry().height(), 768);
    QComboBox* books = f.List("cmbBook");
    books->showPopup();
    QAbstractItemView* view = books->view();
    QTRY_VERIFY(view->isVisible());
    const int rowHeight = view->visualRect(view->model()->index(0, 0)).height();
    const int rows = TForm1::DropDownRows(768, rowHeight);
    QCOMPARE(books->maxVisibleItems(), rows);
    QCOMPARE(view->viewport()->height() / rowHeight, rows);
    books->hidePopup();
  }

  void listsAndEditBoxAreWhite() {
    UiFixture f;
    f.Start();
    for (const char* name : {"cmbBook", "cmbChapter", "cmbSystem", "cmbDesc", "cmbInitLetter", "ebxPageSize"}) {
      const QImage image = f.Get<QWidget>(name)->grab().toImage();
      // Inside the frame, ahead of any text; the style shades white a little.
      const QColor inside = image.pixelColor(3, image.height() / 2);
      QVERIFY2(inside.lightness() >= 248, qPrintable(QString(name) + " " + inside.name()));
    }
  }

  void logButtonAndCloseBoxShowAndHideTheLogWindow() {
    QCOMPARE(TForm2::PlacementFor(QSize(1024, 768)), QRect(0, 0, 327, 736));
    UiFixture f;
    f.Start();
    auto* log = f.Get<QToolButton>("btnLog");
    QVERIFY(f.logWindow().isHidden());
    QCOMPARE(f.logWindow().windowTitle(), QString("Vael - Generation Log"));
    log->click();
    QVERIFY(f.logWindow().isVisible() && log->isChecked());
    log->click();
    QVERIFY(f.logWindow().isHidden() && !log->isChecked());
    log->click();
    QVERIFY(f.logWindow().close());
    QVERIFY(f.logWindow().isHidden());
    QVERIFY(!log->isChecked());
    log->click();
    QVERIFY(f.logWindow().isVisible());

    // The control that had the keyboard keeps it, not the window itself.
    auto* size = f.Get<QLineEdit>("ebxPageSize");
    size->setFocus();
    log->click();
    QCOMPARE(f.window().focusWidget(), size);
    log->click();
    QCOMPARE(f.window().focusWidget(), size);
  }

  void minimiseTakesTheLogAndHelpWindowsAlong() {
    UiFixture f;
    TForm1& window = f.Start();
    f.Get<QToolButton>("btnLog")->click();
    vael::ui::HelpWindowViewer help;
    help.ShowContents("vael.hlp");
    QWidget* helpWindow = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (qobject_cast<vael::ui::HelpWindow*>(top) != nullptr) helpWindow = top;
    }
    QVERIFY(helpWindow != nullptr && helpWindow->isVisible());

    f.Get<QToolButton>("SpeedButton2")->click();
    QVERIFY(window.isMinimized());
    QVERIFY(f.logWindow().isMinimized());
    QVERIFY(helpWindow->isMinimized());
    // Restored from the task bar, the three come back together.
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    QVERIFY(!f.logWindow().isMinimized() && f.logWindow().isVisible());
    QVERIFY(!helpWindow->isMinimized() && helpWindow->isVisible());
  }

  void helpButtonF1AndShutdownTalkToTheHelpViewer() {
    UiFixture f;
    TForm1& window = f.Start();
    window.ShowName("Aran");
    f.Get<QToolButton>("btnHelp")->click();
    QVERIFY(f.Shown("pnlInfo"));  // back to the about text
    f.Key(Qt::Key_F1, Qt::NoModifier, &window);
    QCOMPARE(f.help.calls, QStringList({"contents vael.hlp", "contents vael.hlp"}));
    f.Stop();
    QCOMPARE(f.help.calls.mid(2), QStringList({"close vael.hlp", "close chapters.hlp"}));
  }
};

VAEL_UI_TEST(StartupTest);
#include "StartupTest.moc"
