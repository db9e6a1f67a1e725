// Choosing books and chapters: information lines, failures, the controls of
// every state on the way, chapter help and the options panel.

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

#include <filesystem>

#include "UiTestSupport.h"

using vael::uitest::LoadableChapter;
using vael::uitest::UiFixture;

namespace {

// A working folder with two books and a loose chapter.
void WriteLibrary(UiFixture& f) {
  f.WriteBook("elves", "Elves\r\nElvish names\r\nFor the forest\r\nAuthor A\r\n");
  f.WriteChapter("elves/wood.vel", LoadableChapter("Wood elves", "STATGEN FIT:2", {"TOPIC \"12\";"}));
  f.WriteChapter("elves/high.vel", LoadableChapter("High elves", "STRUCTGEN PREFIX SUFFIX FIT:3"));
  f.WriteChapter("elves/odd.vel", LoadableChapter("Odd fit", "FIT:7"));
  auto broken = vael::test::ChapterText(LoadableChapter("Broken"));
  broken.erase(broken.find("GENOPT"), std::string("GENOPT \"STATGEN\";\r\n").size());
  f.Write("elves/broken.vel", broken);
  f.WriteBook("plain", "Plain\r\n");
  f.WriteChapter("loose.vel", LoadableChapter("Loose", "STATGEN", {"TOPIC \"5\";"}));
}

// Which of the controls that the state table follows are enabled.
QString Enabled(UiFixture& f) {
  QStringList on;
  for (const char* name : {"cmbBook", "cmbChapter", "btnNext", "btnStorePage", "btnLog", "lbxHistory",
                           "btnClear", "btnSelectAll", "btnSave", "btnCopy"}) {
    if (f.Enabled(name)) on << name;
  }
  return on.join(' ');
}

}  // namespace

class SelectionTest : public QObject {
  Q_OBJECT
 private slots:
  void bookPassesThroughLoadingToLoaded() {
    UiFixture f;
    WriteLibrary(f);
    auto& window = f.Start();
    QString during;
    window.onProgress = [&] {
      if (!during.isEmpty()) return;
      during = f.Status() + " | " + Enabled(f) + " | gauge " + (f.Shown("pnlGaugeHolder") ? "shown" : "hidden") +
               " | log " + (f.Shown("btnLog") ? "shown" : "hidden");
    };
    f.ChooseBook("Elves");
    QCOMPARE(during, QString("Loading book |  | gauge shown | log hidden"));
    QCOMPARE(f.Status(), QString("Book loaded"));
    QCOMPARE(f.InfoLines(), QStringList({"Elvish names", "For the forest", "Author A"}));
    QCOMPARE(f.Get<QLabel>("lblInfo2")->y(), 14);
    QVERIFY(f.Get<QLabel>("lblInfo2")->font().bold());
    QComboBox* chapters = f.List("cmbChapter");
    QCOMPARE(chapters->count(), 4);
    QCOMPARE(chapters->itemText(0), QString("Broken"));
    QCOMPARE(chapters->itemText(3), QString("Wood elves"));
    QCOMPARE(chapters->currentIndex(), -1);
    QCOMPARE(Enabled(f), QString("cmbBook cmbChapter btnLog"));
    QVERIFY(!f.Shown("btnLog") && !f.Shown("pnlGaugeHolder"));
    QCOMPARE(window.bookFolder, std::string("elves/"));
  }

  void bookDescriptionsFillTheirGaps() {
    UiFixture f;
    WriteLibrary(f);
    f.Start();
    f.ChooseBook("Plain");
    QCOMPARE(f.InfoLines(), QStringList({"Plain", "", "Author unknown"}));
    QCOMPARE(f.List("cmbChapter")->count(), 0);
    QVERIFY(!f.Enabled("cmbChapter"));
    f.ChooseBook("Unbound");
    QCOMPARE(f.InfoLines(), QStringList({"Unbound Book", "",
                                         "See Help file to learn how to bind chapters into books."}));
    QCOMPARE(f.List("cmbChapter")->itemText(0), QString("Loose"));
    QCOMPARE(f.window().bookFolder, std::string());
  }

  void missingBookDescriptionIsAFailure() {
    UiFixture f;
    WriteLibrary(f);
    f.Start();
    std::filesystem::remove(f.Path("elves/book.dat"));
    f.ChooseBook("Elves");
    QCOMPARE(f.InfoLines(), QStringList({"FAILURE", "Attempt to open book failed.",
                                         "Cause: Couldn't open 'book.dat' file."}));
    QCOMPARE(f.Status(), QString("No chapter"));
    QCOMPARE(f.List("cmbBook")->currentIndex(), -1);
    QCOMPARE(f.List("cmbChapter")->count(), 0);
    QCOMPARE(Enabled(f), QString("cmbBook btnLog"));
    QVERIFY(!f.Shown("btnLog"));
  }

  void chapterPassesThroughLoadingToReady() {
    UiFixture f;
    WriteLibrary(f);
    auto& window = f.Start();
    f.ChooseBook("Elves");
    QString during;
    window.onProgress = [&] {
      if (!during.isEmpty()) return;
      during = f.Status() + " | " + Enabled(f) + " | gauge " + (f.Shown("pnlGaugeHolder") ? "shown" : "hidden") +
               " | name " + (f.Shown("lblName") ? "shown" : "hidden");
    };
    f.ChooseChapter("Wood elves");
    QCOMPARE(during, QString("Loading chapter |  | gauge shown | name shown"));
    QVERIFY(window.chapter->loaded);
    QCOMPARE(f.Status(), QString("Chapter loaded"));
    QCOMPARE(f.InfoLines(), QStringList({"Wood elves line one", "Wood elves line two", "Tester"}));
    QCOMPARE(f.Get<QLabel>("lblInfo2")->y(), 16);
    QVERIFY(!f.Get<QLabel>("lblInfo2")->font().bold());
    QCOMPARE(f.Get<QWidget>("btnInfo")->statusTip(), QString("Chapter info"));
    QCOMPARE(Enabled(f), QString("cmbBook cmbChapter btnNext btnStorePage btnLog"));
    QVERIFY(f.Shown("btnLog") && !f.Shown("pnlGaugeHolder"));

    f.ChooseChapter("High elves");  // no TOPIC
    QCOMPARE(f.Get<QWidget>("btnInfo")->statusTip(), QString("No chapter info"));
  }

  void brokenChapterFailsAndKeepsGenerationOff() {
    UiFixture f;
    WriteLibrary(f);
    f.Start();
    f.ChooseBook("Elves");
    f.ChooseChapter("Wood elves");
    f.ChooseChapter("Broken");
    QCOMPARE(f.InfoLines(), QStringList({"FAILURE", "Attempt to open chapter failed.",
                                         "Cause: Invalid or missing GENOPT tag"}));
    QCOMPARE(f.Status(), QString("No chapter"));
    QCOMPARE(f.List("cmbChapter")->currentIndex(), -1);
    QCOMPARE(Enabled(f), QString("cmbBook cmbChapter"));
    QVERIFY(f.Shown("btnLog"));  // visibility unchanged
    f.Key(Qt::Key_Return, Qt::NoModifier, &f.window());
    QCOMPARE(f.History()->count(), 0);
  }

  // A name of any length is quoted in a line the window can show.
  void aLongNameIsCutInTheCause() {
    UiFixture f;
    vael::test::ChapterDraft draft = LoadableChapter("Long");
    draft.names.insert(draft.names.begin() + 1, std::string(1 << 20, 'a') + "!");
    f.WriteChapter("long.vel", draft);
    f.Start();
    f.ChooseBook("Unbound");
    f.ChooseChapter("Long");
    QCOMPARE(f.InfoLines(), QStringList({"FAILURE", "Attempt to open chapter failed.",
                                         "Cause: Invalid character in name #2 (" + QString(40, 'A') +
                                             QChar(0x2026) + ")"}));
  }

  void utf8ChaptersAndBooksShowTheirCharacters() {
    UiFixture f;
    f.Write("nordic/book.dat", "Nordische B\xC3\xBC" "cher\nSagas\nOf the north\nSk\xC3\xA1ld\n");
    f.Write("nordic/bjorn.vel", vael::Utf8FromWindows1252(vael::test::ChapterText(LoadableChapter("Bj\xF6rn's kin"))));
    std::string polish = vael::Utf8FromWindows1252(vael::test::ChapterText(LoadableChapter("Polish")));
    polish.insert(polish.find("NAMES"), "// \xC5\x81\xC3\xB3" "d\xC5\xBA\r\n");
    f.Write("nordic/polish.vel", polish);
    f.Start();
    f.ChooseBook(QString::fromUtf8("Nordische B\u00FCcher"));
    QCOMPARE(f.InfoLines(), QStringList({"Sagas", "Of the north", QString::fromUtf8("Sk\u00E1ld")}));
    f.ChooseChapter(QString::fromUtf8("Bj\u00F6rn's kin"));
    QCOMPARE(f.Status(), QString("Chapter loaded"));
    f.ChooseChapter("Polish");
    QCOMPARE(f.InfoLines(),
             QStringList({"FAILURE", "Attempt to open chapter failed.",
                          QString::fromUtf8("Cause: Invalid character in line 7: "
                                            "\"\u0141\" (U+0141)")}));
    QVERIFY(!std::filesystem::exists(f.Path("nordic/polish.qch")));
  }

  // Book and chapter texts are whatever their authors typed; signs that
  // look like markup ("<b>", "&lt;", a picture) show as they are written.
  void bookAndChapterTextsShowAsWrittenNotAsMarkup() {
    UiFixture f;
    f.WriteBook("odd", "Odd\r\n<i>Slanted</i> names\r\nA &lt;tag&gt; line\r\n<u>Author</u>\r\n");
    auto chapter = LoadableChapter("Marked");
    chapter.line1 = "<b>Bold</b> goblins";
    chapter.author = "<img src='/nowhere.png' width=300 height=40> Tester";
    f.WriteChapter("odd/marked.vel", chapter);
    f.Start();
    const auto shownAsWritten = [&f] {
      QStringList wrong;
      for (const char* name : {"lblInfo1", "lblInfo2", "lblInfo3"}) {
        const QLabel* label = f.Get<QLabel>(name);
        // Laid out as its characters: as wide as they are, on one line.
        const QSize size = label->sizeHint();
        if (size.width() < label->fontMetrics().horizontalAdvance(label->text()) ||
            size.height() >= 2 * label->fontMetrics().height()) {
          wrong << name + QStringLiteral(" ") + label->text();
        }
      }
      return wrong;
    };
    f.ChooseBook("Odd");
    QCOMPARE(f.InfoLines(), QStringList({"<i>Slanted</i> names", "A &lt;tag&gt; line", "<u>Author</u>"}));
    QCOMPARE(shownAsWritten(), QStringList());
    f.ChooseChapter("Marked");
    QCOMPARE(f.Status(), QString("Chapter loaded"));
    QCOMPARE(shownAsWritten(), QStringList());
  }

  void choosingAChapterEmptiesTheHistory() {
    UiFixture f;
    WriteLibrary(f);
    auto& window = f.Start();
    f.ChooseBook("Elves");
    f.ChooseChapter("Wood elves");
    window.btnNextClick();
    window.btnNextClick();
    f.Check(0);
    QVERIFY(f.Enabled("btnSave") && f.Enabled("btnCopy"));
    f.ChooseChapter("High elves");
    QCOMPARE(f.History()->count(), 0);
    QCOMPARE(window.checkedCount, 0);
    QVERIFY(!f.Enabled("btnSave") && !f.Enabled("btnCopy") && !f.Enabled("lbxHistory"));
  }

  void chapterHelpFollowsTheInfoButton() {
    UiFixture f;
    WriteLibrary(f);
    f.Start();
    auto* info = f.Get<QToolButton>("btnInfo");
    info->click();  // down, nothing chosen yet
    QCOMPARE(f.help.calls, QStringList());
    f.ChooseBook("Elves");
    f.ChooseChapter("Wood elves");
    QCOMPARE(f.help.calls, QStringList({"topic elves/chapters.hlp basewin 12"}));
    f.ChooseChapter("High elves");  // topic 0 opens nothing
    QCOMPARE(f.help.calls.size(), 1);
    f.ChooseBook("Unbound");
    f.ChooseChapter("Loose");  // topic 5, but Unbound has no chapter help
    QCOMPARE(f.help.calls.size(), 1);
    info->click();  // up
    QCOMPARE(f.help.calls.last(), QString("close chapters.hlp"));
    f.ChooseBook("Elves");
    f.ChooseChapter("Wood elves");
    QCOMPARE(f.help.calls.size(), 2);
    info->click();  // down again opens the loaded chapter's topic
    QCOMPARE(f.help.calls.last(), QString("topic elves/chapters.hlp basewin 12"));
  }

  void optionsPanelFollowsTheChapterWhenAutomatic() {
    UiFixture f;
    WriteLibrary(f);
    f.Start();
    f.ChooseBook("Elves");
    f.ChooseChapter("Wood elves");
    QCOMPARE(f.Entries("cmbInitLetter"), QStringList({"*", "A", "B", "D"}));
    QCOMPARE(f.List("cmbInitLetter")->currentText(), QString("*"));
    QVERIFY(f.Get<QCheckBox>("cbxStatistical")->isChecked());
    QVERIFY(!f.Get<QCheckBox>("cbxStructural")->isChecked());
    QVERIFY(!f.Get<QCheckBox>("cbxPrefix")->isChecked() && !f.Get<QCheckBox>("cbxSuffix")->isChecked());
    QVERIFY(f.Get<QRadioButton>("rbtFit2")->isChecked());

    f.ChooseChapter("High elves");
    QVERIFY(!f.Get<QCheckBox>("cbxStatistical")->isChecked());
    QVERIFY(f.Get<QCheckBox>("cbxStructural")->isChecked());
    QVERIFY(f.Get<QCheckBox>("cbxPrefix")->isChecked() && f.Get<QCheckBox>("cbxSuffix")->isChecked());
    QVERIFY(f.Get<QRadioButton>("rbtFit3")->isChecked());

    f.ChooseChapter("Odd fit");  // FIT:7 has no button: the fit level stays
    QVERIFY(f.Get<QRadioButton>("rbtFit3")->isChecked());
  }

  void initialLettersSortWithTheirBaseLetter() {
    UiFixture f;
    auto chapter = LoadableChapter("Accents");
    chapter.names = {"Zoran", "\xC9owal", "Edran", "Aldor", "\xD3rvin", "Orvan", "Zelmar", "Edmar"};
    f.WriteChapter("accents.vel", chapter);
    f.Start();
    f.ChooseBook("Unbound");
    f.ChooseChapter("Accents");
    QCOMPARE(f.Entries("cmbInitLetter"),
             QStringList({"*", "A", QString::fromUtf8("\u00C9"), "E", QString::fromUtf8("\u00D3"), "O", "Z"}));
  }

  void optionsPanelKeepsTheUsersChoiceWhenNotAutomatic() {
    UiFixture f;
    WriteLibrary(f);
    f.Start();
    f.ChooseBook("Elves");
    f.ChooseChapter("Wood elves");
    f.Get<QCheckBox>("cbxAutoOptions")->setChecked(false);
    f.Get<QCheckBox>("cbxStatistical")->setChecked(false);
    f.Get<QCheckBox>("cbxSuffix")->setChecked(true);
    f.Get<QRadioButton>("rbtFit1")->setChecked(true);
    f.List("cmbInitLetter")->setCurrentIndex(3);
    f.ChooseChapter("High elves");
    QVERIFY(!f.Get<QCheckBox>("cbxStatistical")->isChecked());
    QVERIFY(!f.Get<QCheckBox>("cbxStructural")->isChecked());
    QVERIFY(!f.Get<QCheckBox>("cbxPrefix")->isChecked() && f.Get<QCheckBox>("cbxSuffix")->isChecked());
    QVERIFY(f.Get<QRadioButton>("rbtFit1")->isChecked());
    QCOMPARE(f.List("cmbInitLetter")->currentText(), QString("*"));
    QCOMPARE(f.List("cmbInitLetter")->count(), 4);
  }

  void typingDoesNotPickABookOrChapter() {
    UiFixture f;
    WriteLibrary(f);
    f.Start();
    QComboBox* books = f.List("cmbBook");
    QTest::keyClick(books, Qt::Key_P);
    QTest::keyClick(books, Qt::Key_E);
    QCOMPARE(books->currentIndex(), -1);
    QCOMPARE(f.Status(), QString());

    // Nor in the open drop-down.
    books->showPopup();
    QAbstractItemView* view = books->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex highlighted = view->currentIndex();
    QTest::keyClick(view, Qt::Key_P);
    QTest::keyClick(view, Qt::Key_U);
    QCOMPARE(view->currentIndex(), highlighted);
    books->hidePopup();
    QCOMPARE(f.Status(), QString());
  }

  void keyboardChoicesLeaveTheFocusOnTheList() {
    UiFixture f;
    WriteLibrary(f);
    TForm1& window = f.Start();
    auto press = [&](Qt::Key key) { QTest::keyClick(window.focusWidget(), key); };
    QComboBox* books = f.List("cmbBook");
    QCOMPARE(window.focusWidget(), books);
    press(Qt::Key_Down);
    QCOMPARE(books->currentText(), QString("Elves"));
    QCOMPARE(window.focusWidget(), books);
    press(Qt::Key_Down);  // a book without chapters
    QCOMPARE(books->currentText(), QString("Plain"));
    QCOMPARE(window.focusWidget(), books);
    press(Qt::Key_Up);
    QCOMPARE(f.Status(), QString("Book loaded"));

    QComboBox* chapters = f.List("cmbChapter");
    chapters->setFocus();
    f.ChooseChapter("High elves");
    press(Qt::Key_Down);
    QCOMPARE(chapters->currentText(), QString("Odd fit"));
    QCOMPARE(f.Status(), QString("Chapter loaded"));
    QCOMPARE(window.focusWidget(), chapters);
    press(Qt::Key_Down);
    QCOMPARE(chapters->currentText(), QString("Wood elves"));
    QCOMPARE(window.focusWidget(), chapters);
  }

  void aLoadsResultStaysUntilThePointerMoves() {
    UiFixture f;
    WriteLibrary(f);
    TForm1& window = f.Start();
    f.ChooseBook("Elves");
    // Controls enabled as loading ends report the resting pointer.
    vael::uitest::PointerEnters(f.Get<QWidget>("cmbChapter"));
    QCOMPARE(f.Status(), QString("Book loaded"));
    f.ChooseChapter("Wood elves");
    vael::uitest::PointerEnters(f.Get<QWidget>("btnStorePage"));
    QCOMPARE(f.Status(), QString("Chapter loaded"));
    // The next move of the pointer brings the hint back.
    QTest::mouseMove(window.windowHandle(), QPoint(200, 100));
    QCOMPARE(f.Status(), QString("Generate 100"));
    vael::uitest::PointerLeaves(f.Get<QWidget>("btnStorePage"));
    QCOMPARE(f.Status(), QString());
  }
};

VAEL_UI_TEST(SelectionTest);
#include "SelectionTest.moc"
