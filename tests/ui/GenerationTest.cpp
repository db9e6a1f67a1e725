// Generating names and pages, the list size, the history check-list, the
// keyboard table, copying and the check-mark commands.

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>

#include <sys/stat.h>

#include <filesystem>

#include "UiTestSupport.h"
#include "support/ChildProcess.h"

using vael::uitest::LoadableChapter;
using vael::uitest::UiFixture;

namespace {

// A started window with a loaded chapter.
struct Ready {
  UiFixture f;
  vael::uitest::ProbeWindow* window = nullptr;
  Ready() {
    f.WriteChapter("names.vel", LoadableChapter("Names"));
    window = &f.Start();
    f.ChooseBook("Unbound");
    f.ChooseChapter("Names");
  }
  QString Next() {
    window->btnNextClick();
    return f.Get<QLabel>("lblName")->text();
  }
  QStringList Checked() {
    QStringList marks;
    for (int row = 0; row < f.History()->count(); ++row) {
      marks << (f.History()->item(row)->checkState() == Qt::Checked ? "x" : "-");
    }
    return marks;
  }
};

}  // namespace

class GenerationTest : public QObject {
  Q_OBJECT
 private slots:
  void singleNamesGoOnTopAndRefreshTheLog() {
    Ready r;
    const QString a = r.Next(), b = r.Next(), c = r.Next();
    QVERIFY(!a.isEmpty() && !c.isEmpty());
    QCOMPARE(r.f.HistoryTexts(), QStringList({c, b, a}));
    QCOMPARE(r.f.History()->currentRow(), 0);
    QVERIFY(r.f.Shown("lblName") && !r.f.Shown("pnlInfo"));
    for (const char* name : {"lbxHistory", "btnClear", "btnSelectAll", "btnInvertSelection", "btnDeselectAll"}) {
      QVERIFY2(r.f.Enabled(name), name);
    }
    QVERIFY(!r.f.Enabled("btnSave") && !r.f.Enabled("btnCopy"));
    // The hidden log window already holds the log of the last name.
    QVERIFY(r.f.logWindow().isHidden());
    const std::string log = vael::test::ReadFile(r.f.Path("!vel_log.txt"));
    QVERIFY(!log.empty());
    QCOMPARE(r.f.logWindow().LogText(),
             vael::ui::FromWindows1252(log.substr(0, 16384)).replace("\r\n", "\n"));
  }

  void pageGoesOnTopExpandsAndReports() {
    Ready r;
    r.Next(), r.Next(), r.Next();
    r.f.Get<QLineEdit>("ebxPageSize")->setText("50");
    QVERIFY(!r.window->optionsExpanded);
    // The state Generating page, seen from the gauge's first step.
    QString during;
    r.window->onProgress = [&] {
      if (!during.isEmpty()) return;
      QStringList on;
      for (const char* name : {"cmbBook", "cmbChapter", "btnNext", "btnStorePage", "lbxHistory", "btnClear"}) {
        if (r.f.Enabled(name)) on << name;
      }
      during = on.join(' ') + (r.f.Shown("pnlGaugeHolder") ? " | gauge" : "") + " | " +
               r.f.Get<QLabel>("lblName")->text();
    };
    r.f.History()->setFocus();
    r.window->btnStorePageClick();
    QCOMPARE(during, QString("cmbBook | gauge | "));
    // The list had the keyboard before the page and has it again after.
    QCOMPARE(r.window->focusWidget(), r.f.History());
    QCOMPARE(r.f.History()->count(), 53);
    const QString newest = vael::ui::FromWindows1252(vael::HistoryEntry(*r.window->chapter, 0));
    QCOMPARE(r.f.HistoryTexts().front(), newest);
    QCOMPARE(r.f.Get<QLabel>("lblName")->text(), newest);
    QCOMPARE(r.f.History()->currentRow(), 0);
    QCOMPARE(r.f.Status(), QString("Generated 50"));
    QVERIFY(r.window->optionsExpanded);
    QCOMPARE(r.window->height(), 330);
    QVERIFY(!r.f.Shown("pnlGaugeHolder"));
    for (const char* name : {"btnNext", "btnStorePage", "cmbBook", "cmbChapter", "lbxHistory", "btnClear"}) {
      QVERIFY2(r.f.Enabled(name), name);
    }
  }

  // A page of a thousand names from the click to the list; QtTest reports
  // the time (no bound is asserted: a busy machine must not fail the suite).
  void pageOfAThousandNamesBenchmark() {
    Ready r;
    r.f.Get<QLineEdit>("ebxPageSize")->setText("1000");
    int pages = 0;
    QBENCHMARK {
      r.window->btnStorePageClick();
      ++pages;
    }
    QCOMPARE(r.f.History()->count(), 1000 * pages);
    QCOMPARE(r.f.HistoryTexts().front(),
             vael::ui::FromWindows1252(vael::HistoryEntry(*r.window->chapter, 0)));
  }

  void pageKeepsTheInitialLetterAndWritesNoLog() {
    Ready r;
    QComboBox* letters = r.f.List("cmbInitLetter");
    letters->setCurrentIndex(letters->findText("D"));
    r.f.Get<QLineEdit>("ebxPageSize")->setText("20");
    r.window->btnStorePageClick();
    QCOMPARE(r.f.History()->count(), 20);
    for (const QString& name : r.f.HistoryTexts()) QVERIFY2(name.startsWith('D'), qPrintable(name));
    QVERIFY(!std::filesystem::exists(r.f.Path("!vel_log.txt")));
  }

  void readOnlyFolderLoadsAndGeneratesAndTheLogWindowSaysWhy() {
    UiFixture f;
    f.WriteChapter("names.vel", LoadableChapter("Names"));
    f.Start();
    f.ChooseBook("Unbound");
    ::chmod(f.Path("").c_str(), 0555);
    // As a user who may not write the folder: root's override would write.
    const std::string seen = vael::test::InChild({.ordinaryUser = true}, [&] {
      // The child has none of the threads that painting hands work to.
      f.window().setUpdatesEnabled(false);
      f.ChooseChapter("Names");
      std::string account = f.Status().toStdString() + "|" + f.InfoLines().front().toStdString();
      f.window().btnNextClick();
      account += "|" + std::to_string(f.Get<QLabel>("lblName")->text().isEmpty());
      account += "|" + f.logWindow().LogText().toStdString();
      return account;
    });
    ::chmod(f.Path("").c_str(), 0755);
    QCOMPARE(seen, "Chapter loaded|Names line one|0|The log of this name could not be written: Vael may not "
                   "write the file \"!vel_log.txt\" in the folder " + std::filesystem::current_path().string() +
                   ", or the disk is full.");
    QCOMPARE(vael::test::FolderEntries(f.Path("")), std::vector<std::string>{"names.vel"});
  }

  void listSizeIsKeptBetweenTwoAndAThousand() {
    Ready r;
    auto* size = r.f.Get<QLineEdit>("ebxPageSize");
    const QList<QPair<QString, QString>> cases = {{"1", "2"},   {"0", "50"}, {"2000", "1000"}, {"", "50"},
                                                  {"ab", "50"}, {"-5", "2"}, {"20", "20"},     {"1000", "1000"}};
    for (const auto& [typed, kept] : cases) {
      size->setText(typed);
      r.window->ebxPageSizeExit();
      QCOMPARE(size->text(), kept);
      QCOMPARE(r.f.Get<QWidget>("btnStorePage")->statusTip(), "Generate " + kept);
    }
    // Leaving the box validates it.
    size->setText("7000");
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(size, &leave);
    QCOMPARE(size->text(), QString("1000"));

    // A number typed with spaces is kept as the number alone.
    size->setText(" 3 ");
    r.window->btnStorePageClick();
    QCOMPARE(size->text(), QString("3"));
    QCOMPARE(r.f.Status(), QString("Generated 3"));
    QCOMPARE(r.f.History()->count(), 3);
  }

  void checkMarksDriveSaveAndCopy() {
    Ready r;
    r.Next(), r.Next(), r.Next();
    r.f.Check(0);
    r.f.Check(1);
    QCOMPARE(r.window->checkedCount, 2);
    r.f.Check(0, false);
    QVERIFY(r.f.Enabled("btnSave") && r.f.Enabled("btnCopy"));
    r.f.Check(1, false);
    QCOMPARE(r.window->checkedCount, 0);
    QVERIFY(!r.f.Enabled("btnSave") && !r.f.Enabled("btnCopy"));
    // The space toggles the current entry; letters neither search nor move.
    r.f.History()->setCurrentRow(1);
    QTest::keyClick(r.f.History(), Qt::Key_Space);
    QCOMPARE(r.Checked(), QStringList({"-", "x", "-"}));
    QCOMPARE(r.window->checkedCount, 1);
    const QString first = r.f.History()->item(0)->text();
    QTest::keyClick(r.f.History(), first.at(0).toLatin1());
    QTest::keyClick(r.f.History(), Qt::Key_Z);
    QCOMPARE(r.f.History()->currentRow(), 1);
  }

  void invertTwiceRestoresTheMarks() {
    Ready r;
    for (int i = 0; i < 5; ++i) r.Next();
    r.f.Check(1);
    r.f.Check(4);
    r.f.History()->setCurrentRow(2);
    r.window->mniInvertSelectionClick();
    QCOMPARE(r.Checked(), QStringList({"x", "-", "x", "x", "-"}));
    QCOMPARE(r.window->checkedCount, 3);
    QVERIFY(r.f.Enabled("btnSave") && r.f.Enabled("btnCopy"));
    QCOMPARE(r.f.History()->currentRow(), 2);
    r.f.Key(Qt::Key_I, Qt::ControlModifier, r.f.History());
    QCOMPARE(r.Checked(), QStringList({"-", "x", "-", "-", "x"}));
    QCOMPARE(r.window->checkedCount, 2);
  }

  void selectionKeysAndClear() {
    Ready r;
    for (int i = 0; i < 4; ++i) r.Next();
    r.f.Key(Qt::Key_A, Qt::ControlModifier, r.f.History());
    QCOMPARE(r.Checked(), QStringList({"x", "x", "x", "x"}));
    QCOMPARE(r.window->checkedCount, 4);
    r.f.Key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier, r.f.History());
    QCOMPARE(r.Checked(), QStringList({"-", "-", "-", "-"}));
    QVERIFY(!r.f.Enabled("btnSave"));
    r.f.Check(2);
    r.f.Key(Qt::Key_X, Qt::ControlModifier, r.f.History());
    QCOMPARE(r.f.History()->count(), 0);
    QCOMPARE(r.window->checkedCount, 0);
    QCOMPARE(r.f.Status(), QString("Cleared"));
    QVERIFY(r.f.Enabled("lbxHistory"));
    for (const char* name : {"btnSave", "btnCopy", "btnClear", "btnSelectAll", "btnInvertSelection", "btnDeselectAll"}) {
      QVERIFY2(!r.f.Enabled(name), name);
    }
    r.f.Key(Qt::Key_A, Qt::ControlModifier, r.f.History());  // Select all is off: nothing
    QCOMPARE(r.window->checkedCount, 0);
    QVERIFY(!r.f.Enabled("btnSave"));
    r.f.Key(Qt::Key_C, Qt::ControlModifier, r.f.History());  // nothing to copy, no failure
    QCOMPARE(r.f.clipboard.writes, 0);
    r.Next();  // the next name turns the list commands on again
    QVERIFY(r.f.Enabled("btnClear") && r.f.Enabled("btnSelectAll") && !r.f.Enabled("btnSave"));
  }

  void enterGeneratesEvenInTheListSizeBox() {
    Ready r;
    auto* size = r.f.Get<QLineEdit>("ebxPageSize");
    size->setText("12");
    QTest::keyClick(size, Qt::Key_Return);
    QCOMPARE(r.f.History()->count(), 1);
    QCOMPARE(size->text(), QString("12"));
    QTest::keyClick(r.f.List("cmbSystem"), Qt::Key_Enter);
    QCOMPARE(r.f.History()->count(), 2);
    // A space in the box is typed, not swallowed by the window.
    QTest::keyClick(size, Qt::Key_Space);
    QCOMPARE(size->text(), QString("12 "));
  }

  void copyJoinsCheckedNamesOrTakesTheChosenOne() {
    Ready r;
    const QString a = r.Next(), b = r.Next(), c = r.Next();
    r.f.Check(0);
    r.f.Check(2);
    r.f.Key(Qt::Key_C, Qt::ControlModifier, r.f.History());
    QCOMPARE(r.f.clipboard.text, c + "\r\n" + a);
    QCOMPARE(r.f.Status(), QString("Copied"));
    r.window->mniDeselectAllClick();
    // Nothing checked: a double click copies the entry it hits.
    QListWidget* history = r.f.History();
    const QRect middle = history->visualItemRect(history->item(1));
    QTest::mouseClick(history->viewport(), Qt::LeftButton, {}, middle.center() + QPoint(20, 0));
    QTest::mouseDClick(history->viewport(), Qt::LeftButton, {}, middle.center() + QPoint(20, 0));
    QCOMPARE(r.f.clipboard.text, b);
    QCOMPARE(r.f.Get<QLabel>("lblName")->text(), b);  // the click shows the entry

    // Below the last entry a double click copies just the same.
    const QPoint below(history->viewport()->width() / 2, history->viewport()->height() - 4);
    QVERIFY(!history->indexAt(below).isValid());
    r.f.clipboard.text.clear();
    QTest::mouseDClick(history->viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(r.f.clipboard.text, b);
    r.f.Check(2);
    QTest::mouseDClick(history->viewport(), Qt::LeftButton, {}, below);
    QCOMPARE(r.f.clipboard.text, a);
  }

  void doubleClickOnTheNameCopiesItOnlyWhenShown() {
    Ready r;
    const QString name = r.Next();
    auto* label = r.f.Get<QLabel>("lblName");
    QTest::mouseDClick(label, Qt::LeftButton);
    QCOMPARE(r.f.clipboard.text, name);
    QCOMPARE(r.f.Status(), QString("Copied"));
    r.window->ShowAbout();
    r.window->SetStatus("x");
    r.window->lblNameDblClick();
    QCOMPARE(r.f.clipboard.writes, 1);
    QCOMPARE(r.f.Status(), QString("x"));
  }
};

VAEL_UI_TEST(GenerationTest);
#include "GenerationTest.moc"
