#include <gtest/gtest.h>

#include "cli/Utf8.h"

namespace vael::cli {
namespace {

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
