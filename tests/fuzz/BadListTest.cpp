// Files no one meant as a list of names, given as one: each is refused with
// a clear cause, promptly and without a crash.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/Vael.h"
#include "support/TestSupport.h"

namespace vael {
namespace {

std::string LoadListFailure(const std::string& bytes) {
  test::TempDir dir;
  test::WriteFile(dir.File("list.txt"), bytes);
  TVaelChapter chapter;
  PlainList list = chapter.LoadList(dir.File("list.txt"));
  EXPECT_FALSE(chapter.loaded);
  EXPECT_LE(list.refusals.size(), kMaxRefusalReports);
  return chapter.errorText;
}

TEST(BadLists, HugeLongAndBinaryFilesAreRefused) {
  // Ten megabytes of good names.
  std::mt19937 random(3);
  const std::string consonants = "bcdfghklmnprstvz", vowels = "aeiou";
  std::string huge;
  while (huge.size() < 10u << 20) {
    std::string name;
    for (int i = 0; i < 3; ++i) {
      name += consonants[random() % consonants.size()];
      name += vowels[random() % vowels.size()];
    }
    huge += name + "\n";
  }
  EXPECT_EQ(LoadListFailure(huge), "More than 100000 names in the list");

  // One line of ten megabytes.
  EXPECT_EQ(LoadListFailure(std::string(10u << 20, 'a')), "Fewer than two usable names in the list");

  // Random bytes, with and without zero bytes among them.
  std::string binary(1u << 20, '\0');
  for (char& c : binary) c = static_cast<char>(random());
  EXPECT_EQ(LoadListFailure(binary), "Not a text file");
  std::erase(binary, '\0');
  EXPECT_EQ(LoadListFailure(binary), "Not a text file");
}

}  // namespace
}  // namespace vael
