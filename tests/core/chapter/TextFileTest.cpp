// The code page's conversions and the reading rule of text files: UTF-8
// taken in once, everything else left exactly as it was.

#include <gtest/gtest.h>

#include <string>

#include "core/Vael.h"

namespace vael {
namespace {

TEST(Utf8FromWindows1252, AsciiLatinAndTheHighControlRow) {
  EXPECT_EQ(Utf8FromWindows1252(""), "");
  EXPECT_EQ(Utf8FromWindows1252("Aran-'s"), "Aran-'s");
  EXPECT_EQ(Utf8FromWindows1252("\xC9owyn \xFF\xE6"), "\xC3\x89owyn \xC3\xBF\xC3\xA6");
  EXPECT_EQ(Utf8FromWindows1252("\x80\x85\x8A\x9C\x9F"),
            "\xE2\x82\xAC\xE2\x80\xA6\xC5\xA0\xC5\x93\xC5\xB8");  // € … Š œ Ÿ
  // Unassigned bytes keep their value as C1 controls.
  EXPECT_EQ(Utf8FromWindows1252("\x81\x9D"), "\xC2\x81\xC2\x9D");
  EXPECT_EQ(Utf8FromWindows1252("\xA0"), "\xC2\xA0");
}

TEST(ReadUtf8Sequence, WellFormedIllFormedAndCut) {
  using Kind = Utf8Sequence::Kind;
  auto kind = [](std::string_view text) { return ReadUtf8Sequence(text).kind; };
  EXPECT_EQ(ReadUtf8Sequence("\xC5\x81x").codePoint, U'\u0141');
  EXPECT_EQ(ReadUtf8Sequence("\xC5\x81x").length, 2u);
  EXPECT_EQ(ReadUtf8Sequence("\xF0\x9F\x98\x80").codePoint, U'\U0001F600');
  EXPECT_EQ(kind("\xC1\x81"), Kind::Invalid);          // overlong "A"
  EXPECT_EQ(kind("\xE0\x81\x81"), Kind::Invalid);      // overlong
  EXPECT_EQ(kind("\xED\xA0\x80"), Kind::Invalid);      // a surrogate
  EXPECT_EQ(kind("\xF4\x90\x80\x80"), Kind::Invalid);  // past U+10FFFF
  EXPECT_EQ(kind("\x81"), Kind::Invalid);              // a stray continuation
  EXPECT_EQ(kind("\xC3" "A"), Kind::Invalid);
  EXPECT_EQ(kind("\xE2\x80"), Kind::Cut);
  EXPECT_EQ(kind("\xE0\x81"), Kind::Invalid);  // judged as far as it goes
  EXPECT_EQ(ReadUtf8Sequence("\xE2\x80").length, 2u);
}

TEST(DetectTextEncoding, Utf8OnlyWhenMarkedOrValidWithAMultiByteSequence) {
  EXPECT_EQ(DetectTextEncoding("\xEF\xBB\xBFplain"), TextEncoding::Utf8);
  EXPECT_EQ(DetectTextEncoding("Bj\xC3\xB6rn"), TextEncoding::Utf8);
  EXPECT_EQ(DetectTextEncoding("plain ASCII"), TextEncoding::Windows1252);
  EXPECT_EQ(DetectTextEncoding(""), TextEncoding::Windows1252);
  EXPECT_EQ(DetectTextEncoding("Bj\xF6rn"), TextEncoding::Windows1252);
  // Valid UTF-8 up to a byte the code page leaves undefined.
  EXPECT_EQ(DetectTextEncoding("Bj\xC3\xB6rn \x81\x8D\x8F\x90\x9D"), TextEncoding::Windows1252);
  // A sequence cut by the end: only the start of a file may end so.
  EXPECT_EQ(DetectTextEncoding("Bj\xC3\xB6rn \xC3"), TextEncoding::Windows1252);
  EXPECT_EQ(DetectTextEncoding("Bj\xC3\xB6rn \xC3", true), TextEncoding::Utf8);
}

TEST(ReadTextFile, CodePageFilesStayByteForByte) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
  CodePageText read = ReadTextFile(all);
  EXPECT_EQ(read.encoding, TextEncoding::Windows1252);
  EXPECT_EQ(read.fault, TextFault::None);
  EXPECT_EQ(read.text, all);
}

TEST(ReadTextFile, Utf8IsTakenIntoTheCodePage) {
  CodePageText read = ReadTextFile("\xEF\xBB\xBF\xC3\x89owyn \xC5\xA0\xC3\xA1rka \xE2\x82\xAC");
  EXPECT_EQ(read.encoding, TextEncoding::Utf8);
  EXPECT_EQ(read.fault, TextFault::None);
  EXPECT_EQ(read.text, "\xC9owyn \x8A\xE1rka \x80");
  // Curly and modifier-letter apostrophes become the plain one.
  EXPECT_EQ(ReadTextFile("d\xE2\x80\x99" "Arc d\xE2\x80\x98" "A d\xCA\xBC" "A").text, "d'Arc d'A d'A");
}

TEST(ReadTextFile, FaultsNameTheirLineAndCharacter) {
  CodePageText missing = ReadTextFile("a\r\nb\nc\rLine \xC5\x81\xC3\xB3" "d\xC5\xBA \xD0\x96");
  EXPECT_EQ(missing.fault, TextFault::NotInCodePage);
  EXPECT_EQ(missing.faultLine, 4);
  EXPECT_EQ(missing.character, U'\u0141');  // the first one
  EXPECT_EQ(missing.text, "a\r\nb\nc\rLine ?\xF3" "d? ?");
  EXPECT_EQ(TextFaultText(missing), "Invalid character in line 4");
  EXPECT_EQ(DescribeCharacter(missing.character), "\"\xC5\x81\" (U+0141)");

  CodePageText invalid = ReadTextFile("\xEF\xBB\xBF" "one\r\ntwo \xE9t\xE9\r\n");
  EXPECT_EQ(invalid.fault, TextFault::InvalidUtf8);
  EXPECT_EQ(invalid.faultLine, 2);
  EXPECT_EQ(TextFaultText(invalid), "Invalid UTF-8 text in line 2");
  EXPECT_EQ(TextFaultText(ReadTextFile("fine")), "");
}

}  // namespace
}  // namespace vael
