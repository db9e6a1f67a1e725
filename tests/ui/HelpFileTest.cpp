// Our help file format: introduction, numbered topics, comments, paragraphs;
// and where the help windows open.

#include <QApplication>
#include <QTest>
#include <QToolButton>

#include "UiTestSupport.h"
#include "ui/HelpFile.h"
#include "ui/HelpWindow.h"

using vael::ui::ContentsHtml;
using vael::ui::HelpWindow;
using vael::ui::HelpWindowViewer;
using vael::ui::ParseHelpText;
using vael::ui::TopicHtml;

class HelpFileTest : public QObject {
  Q_OBJECT
 private slots:
  void splitsIntroductionAndTopics() {
    const auto document = ParseHelpText(
        "// a comment\r\nWelcome.\r\n\r\n@topic 3 Wood elves\r\nSoft names.\r\n// hidden\r\n"
        "@topic 12 Dwarves\r\nHard names.\r\n");
    QCOMPARE(document.introduction, QStringList({"Welcome.", ""}));
    QCOMPARE(document.topics.size(), std::size_t(2));
    QCOMPARE(document.topics[0].number, 3);
    QCOMPARE(document.topics[0].title, QString("Wood elves"));
    QCOMPARE(document.topics[0].lines, QStringList({"Soft names."}));
    QCOMPARE(document.Find(12)->title, QString("Dwarves"));
    QVERIFY(document.Find(4) == nullptr);
  }

  void onlyWellFormedTopicLinesStartATopic() {
    // Topic 0, a missing number and a word after "@topic" are plain text;
    // a topic may have no title; the first of two equal numbers wins.
    const auto document = ParseHelpText(
        "@topic 0 Zero\n@topic\n@topical 5 x\n@topic 7\nSeven\n@topic 7 Again\n");
    QCOMPARE(document.introduction, QStringList({"@topic 0 Zero", "@topic", "@topical 5 x"}));
    QCOMPARE(document.topics.size(), std::size_t(2));
    QCOMPARE(document.Find(7)->title, QString());
    QCOMPARE(document.Find(7)->lines, QStringList({"Seven"}));
  }

  void textIsWindows1252() {
    const auto document = ParseHelpText("@topic 1 \xC9lan\nAelind\xEB\n");
    QCOMPARE(document.topics[0].title, QString::fromUtf8("\u00C9lan"));
    QCOMPARE(document.topics[0].lines.front(), QString::fromUtf8("Aelind\u00EB"));
  }

  void utf8HelpKeepsEveryCharacter() {
    // Help is only shown, so characters the code page lacks stay too.
    for (const char* mark : {"", "\xEF\xBB\xBF"}) {
      const auto document =
          ParseHelpText(std::string(mark) + "@topic 1 \xC3\x89lan\nNames from \xC5\x81\xC3\xB3" "d\xC5\xBA\n");
      QCOMPARE(document.topics[0].title, QString::fromUtf8("\u00C9lan"));
      QCOMPARE(document.topics[0].lines.front(), QString::fromUtf8("Names from \u0141\u00F3d\u017A"));
    }
  }

  void rendersParagraphsListItemsAndLinks() {
    const auto document = ParseHelpText(
        "Intro <b>\n@topic 2 Keys & more\nOne\nflow.\n\n- first\n- second\n@topic 9 Nine\n");
    const QString contents = ContentsHtml(document);
    QVERIFY(contents.contains("<p>Intro &lt;b&gt;</p>"));
    QVERIFY(contents.contains("<a href=\"topic:2\">Keys &amp; more</a>"));
    QVERIFY(contents.contains("<a href=\"topic:9\">Nine</a>"));
    const QString topic = TopicHtml(*document.Find(2));
    QVERIFY(topic.contains("<p>One flow.</p>"));
    QVERIFY(topic.contains("<p>- first<br>- second</p>"));
  }

  void helpWindowsOpenBesideTheMainWindowNotOnIt() {
    // The main window's place on a 1024 x 768 screen, expanded.
    const QRect screen(0, 0, 1024, 768);
    const QRect mainWindow(622, 5, 370, 330);
    const QSize size(420, 480);
    const QRect contents = HelpWindowViewer::Placement(mainWindow, screen, size, true);
    const QRect topic = HelpWindowViewer::Placement(mainWindow, screen, size, false);
    for (const QRect& place : {contents, topic}) {
      QVERIFY(screen.contains(place));
      QVERIFY(!place.intersects(mainWindow));
    }
    QVERIFY(!contents.intersects(topic));
    QCOMPARE(contents.size(), size);
    QVERIFY(contents.right() < mainWindow.left());

    // Moved to the left edge, the contents open on its right instead.
    const QRect atLeft(0, 5, 370, 330);
    QVERIFY(HelpWindowViewer::Placement(atLeft, screen, size, true).left() > atLeft.right());
    // A screen with no room at all: on the screen all the same.
    const QRect small(0, 0, 640, 400);
    for (bool isContents : {true, false}) {
      QVERIFY(small.contains(HelpWindowViewer::Placement(QRect(238, 5, 370, 330), small, size, isContents)));
    }

    // The viewer places its windows so, once, when it first opens them.
    HelpWindowViewer viewer;
    viewer.KeepClearOf([&] { return mainWindow; });
    viewer.ShowContents("missing.hlp");
    viewer.ShowTopic("missing.hlp", QStringLiteral("basewin"), 3);
    QList<QRect> frames;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (qobject_cast<HelpWindow*>(window) != nullptr && window->isVisible()) frames << window->frameGeometry();
    }
    QCOMPARE(frames.size(), 2);
    QVERIFY(!frames[0].intersects(frames[1]));
    for (const QRect& frame : frames) QVERIFY2(!frame.intersects(mainWindow), qPrintable(QString::number(frame.x())));
  }

  // A book whose folder name is in an older encoding (not UTF-8) lists and
  // loads its chapters; its chapter help opens as well.
  void chapterHelpOfABookWhoseFolderNameIsNotUtf8() {
    HelpWindowViewer viewer;
    vael::uitest::UiFixture f;
    f.helpViewer = &viewer;
    f.WriteBook("n\xF6rd", "Nordic\r\n");
    f.WriteChapter("n\xF6rd/gob.vel", vael::uitest::LoadableChapter("Goblins", "STATGEN", {"TOPIC \"12\";"}));
    f.Write("n\xF6rd/chapters.hlp", "@topic 12 Goblins\nShort, squeaky names.\n");
    f.Start();
    f.ChooseBook("Nordic");
    f.Get<QToolButton>("btnInfo")->setChecked(true);
    f.ChooseChapter("Goblins");
    QCOMPARE(f.Status(), QString("Chapter loaded"));
    QStringList shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (auto* help = qobject_cast<HelpWindow*>(window); help != nullptr && help->isVisible()) {
        shown << help->toPlainText();
      }
    }
    QCOMPARE(shown, QStringList({"Goblins\nShort, squeaky names.\nContents"}));
  }
};

VAEL_UI_TEST(HelpFileTest);
#include "HelpFileTest.moc"
