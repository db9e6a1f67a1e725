#include <gtest/gtest.h>

#include "cli/Utf8.h"

namespace vael::cli {
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

TEST(Windows1252CharFromUtf8, OneCharacterTheCodePageHolds) {
  EXPECT_EQ(Windows1252CharFromUtf8("e"), 'e');
  EXPECT_EQ(Windows1252CharFromUtf8("\xC3\x89"), '\xC9');
  EXPECT_EQ(Windows1252CharFromUtf8("\xC5\xA0"), '\x8A');      // Š
  EXPECT_EQ(Windows1252CharFromUtf8("\xE2\x82\xAC"), '\x80');  // €
  EXPECT_EQ(Windows1252CharFromUtf8("\xC9"), '\xC9');          // already the code page
  EXPECT_EQ(Windows1252CharFromUtf8(""), std::nullopt);
  EXPECT_EQ(Windows1252CharFromUtf8("ab"), std::nullopt);
  EXPECT_EQ(Windows1252CharFromUtf8("\xD0\x96"), std::nullopt);  // Cyrillic Zhe
  EXPECT_EQ(Windows1252CharFromUtf8("\xC1\x81"), std::nullopt);  // overlong "A"
  EXPECT_EQ(Windows1252CharFromUtf8("\xF0\x9F\x98\x80"), std::nullopt);
}

TEST(Utf8RoundTrip, EveryByteComesBack) {
  for (int byte = 1; byte < 256; ++byte) {
    std::string one(1, static_cast<char>(byte));
    EXPECT_EQ(Windows1252CharFromUtf8(Utf8FromWindows1252(one)), one[0]) << byte;
  }
}

}  // namespace
}  // namespace vael::cli
