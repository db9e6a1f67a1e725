// The C++ wrapper: the names of vaelgen through its owned handles and
// iterators, and failures as vael::Error.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CapiSupport.h"
#include "vael/vael.hpp"

namespace vael::capitest {
namespace {

TEST(CapiWrapper, TheNamesVaelgenPrints) {
  ScratchFolder folder;
  const std::string path = folder.Copy(LibraryFile("wild/desert.vel"));
  const vael::Chapter chapter(path);
  vael::Options options;
  options.fit = 3;
  options.prefixes = true;
  options.statistical = false;
  EXPECT_EQ(chapter.names(200, 77, options),
            VaelgenNames({"-n", "200", "--seed", "77", "--fit", "3", "--prefixes",
                          "--no-statistical", path}));
  EXPECT_EQ(chapter.names(200, 78), VaelgenNames({"-n", "200", "--seed", "78", path}));

  // The iterator goes on as long as it is asked, name after name.
  vael::Generator generator = chapter.generator(78);
  std::vector<std::string> iterated;
  for (const std::string& name : generator) {
    iterated.push_back(name);
    if (iterated.size() == 200) break;
  }
  EXPECT_EQ(iterated, chapter.names(200, 78));
  generator.restart(78);
  const auto [name, log] = generator.nextLogged();
  EXPECT_EQ(name, iterated[0]);
  EXPECT_NE(log.find(name), std::string::npos);
  EXPECT_EQ(chapter.title(), vael::Chapter::FromMemory(ReadBytes(path), "desert.vel").title());
}

TEST(CapiWrapper, FailuresThrowTheLibrarysMessage) {
  try {
    vael::Chapter chapter("/nonexistent/elves.vel");
    FAIL() << "loaded";
  } catch (const vael::Error& error) {
    EXPECT_EQ(error.code(), VAEL_E_LOAD);
    EXPECT_STREQ(error.what(), "vael_chapter_open: /nonexistent/elves.vel: no such file");
  }
  const vael::Chapter chapter = vael::Chapter::FromNames(
      {"Ashby", "Barrowick", "Brockton", "Caldby", "Dunmere", "Eastwold"}, "Villages");
  EXPECT_EQ(chapter.title(), "Villages");
  vael::Options options;
  options.fit = 9;
  EXPECT_THROW(chapter.generator(1, options), vael::Error);
  options.fit = 1;
  options.initial = "Z";
  try {
    chapter.names(3, 1, options);
    FAIL() << "made names";
  } catch (const vael::Error& error) {
    EXPECT_EQ(error.code(), VAEL_E_OPTION);
    EXPECT_NE(std::string(error.what()).find("begins with Z (try one of ABCDE)"), std::string::npos)
        << error.what();
  }
  options.initial = "e";
  for (const std::string& name : chapter.names(20, 1, options)) EXPECT_EQ(name[0], 'E') << name;
}

}  // namespace
}  // namespace vael::capitest
