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

}  // namespace
}  // namespace vael
