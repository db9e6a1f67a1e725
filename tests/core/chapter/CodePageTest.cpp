#include <gtest/gtest.h>

#include <string>

#include "core/chapter/CodePage.h"

namespace vael {
namespace {

// The conversion reads plain text eight bytes at a time; a byte of the upper
// half must come out right wherever it falls in or after such a block, and
// whatever was in the output before stays.
TEST(AppendUtf8FromWindows1252, UpperHalfBytesAtEveryPlace) {
  for (char high : {'\x80', '\xC9', '\xFF'}) {
    for (std::size_t length = 1; length <= 20; ++length) {
      for (std::size_t at = 0; at < length; ++at) {
        std::string text(length, 'a');
        text[at] = high;
        std::string expected = "x";
        for (char c : text) AppendUtf8(expected, CodePointOfByte(c));
        std::string out = "x";
        AppendUtf8FromWindows1252(out, text);
        EXPECT_EQ(out, expected) << "length " << length << ", byte at " << at;
      }
    }
  }
  std::string out = "x";
  AppendUtf8FromWindows1252(out, "");
  EXPECT_EQ(out, "x");
  AppendUtf8FromWindows1252(out, "plain ascii, longer than a block");
  EXPECT_EQ(out, "xplain ascii, longer than a block");
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
}  // namespace vael
