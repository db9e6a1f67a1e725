// Names of many parts give more structures, and so possibly more distinct
// pairs, than three per name. The compiled chapter must carry such a chapter
// like any other instead of being refused as damaged.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Vael.h"
#include "support/TestSupport.h"

namespace vael {
namespace {

TEST(ManyParts, MorePairsThanThreePerNameSurviveTheCompiledChapter) {
  static const char* const kOnsets[] = {"B", "C", "D", "F", "G", "H", "J", "K",
                                        "L", "M", "N", "P", "R", "S", "T", "V",
                                        "W", "X", "Z", "BR", "DR", "GR", "TR", "KR"};
  static const char* const kVowels[] = {"A", "E", "I", "O", "U", "AE",
                                        "AI", "AU", "EA", "EI", "OA", "OU"};
  test::ChapterDraft chapter;
  int part = 0;
  for (int name = 0; name < 20; ++name) {
    std::string text;
    for (int p = 0; p < 15; ++p, ++part) {
      if (p > 0) text += ' ';
      text += std::string(kOnsets[part % 24]) + kVowels[(part / 24) % 12] + "N";
    }
    chapter.names.push_back(text);
  }
  test::TempDir dir;
  std::string path = test::WriteChapter(dir, "many.vel", chapter);

  TVaelChapter analysed;
  analysed.Load(path);
  ASSERT_TRUE(analysed.loaded) << analysed.errorText;
  ASSERT_GT(analysed.startPairCount, std::max(3 * analysed.nameCount, 256));
  EXPECT_GE(analysed.pairCapacity, analysed.startPairCount);
  ASSERT_TRUE(std::filesystem::exists(dir.File("many.qch")));

  for (const std::string& file : {path, dir.File("many.qch")}) {
    TVaelChapter cached;
    cached.Load(file);
    ASSERT_TRUE(cached.loaded) << file << ": " << cached.errorText;
    EXPECT_EQ(cached.startPairs, analysed.startPairs) << file;
    EXPECT_EQ(cached.startPairWeights, analysed.startPairWeights) << file;
    EXPECT_EQ(cached.pairCapacity, analysed.pairCapacity) << file;
  }
  // Reading beside the text must not have rewritten the compiled chapter.
  EXPECT_EQ(ChapterChecksum(test::ReadFile(path)),
            static_cast<std::uint8_t>(test::ReadFile(dir.File("many.qch"))[1]));
}

}  // namespace
}  // namespace vael
