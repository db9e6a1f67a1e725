// Our help file format: introduction, numbered topics, comments, paragraphs.

#include <QTest>

#include "UiTestSupport.h"
#include "ui/HelpFile.h"

using vael::ui::ContentsHtml;
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
};

VAEL_UI_TEST(HelpFileTest);
#include "HelpFileTest.moc"
