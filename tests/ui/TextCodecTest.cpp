// The one conversion between Windows-1252 bytes and the text Qt shows.

#include <QTest>

#include "UiTestSupport.h"
#include "ui/TextCodec.h"

using vael::ui::FromWindows1252;
using vael::ui::ToWindows1252;

class TextCodecTest : public QObject {
  Q_OBJECT
 private slots:
  void everyByteSurvivesTheRoundTrip() {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
    const QString text = FromWindows1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(ToWindows1252(text), all);
  }

  void codePageLettersMapToTheirUnicode() {
    // Euro, ellipsis (the fill of statistics blocks), S caron, y diaeresis,
    // and the Latin-1 half: E acute.
    QCOMPARE(FromWindows1252("\x80\x85\x8A\x9F\xC9"),
             QString::fromUtf8("\u20AC\u2026\u0160\u0178\u00C9"));
    QCOMPARE(ToWindows1252(QString::fromUtf8("\u00C9l\u00E9an\u2026")), std::string("\xC9l\xE9" "an\x85"));
  }

  void charactersOutsideTheCodePageBecomeQuestionMarks() {
    QCOMPARE(ToWindows1252(QString::fromUtf8("a\u0416b")), std::string("a?b"));
    // A character beyond the basic plane is one mark, not two.
    QCOMPARE(ToWindows1252(QString::fromUtf8("x\U0001F600y")), std::string("x?y"));
    QCOMPARE(ToWindows1252(QString()), std::string());
  }
};

VAEL_UI_TEST(TextCodecTest);
#include "TextCodecTest.moc"
