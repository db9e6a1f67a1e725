// A loaded chapter is read only and shared: generators on several threads
// make from one chapter exactly the names each makes alone, a generator
// started over repeats itself, loading writes nothing unless asked, and the
// window's reused chapter object gives what a fresh one gives.

#include <thread>

#include "GenerationFixture.h"
#include "support/ChildProcess.h"

namespace vael::test {
namespace {

namespace fs = std::filesystem;

const std::string kDesert = std::string(VAEL_FROZEN_LIBRARY_DIR) + "/wild/desert.vel";
const std::string kDwarves = std::string(VAEL_FROZEN_LIBRARY_DIR) + "/elder/dwarves.vel";

std::vector<std::string> NamesOf(Generator& generator, const GenerationOptions& options, int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.emplace_back(generator.Next(options));
  return names;
}

TEST(SharedChapter, GeneratorsOnManyThreadsMakeWhatEachMakesAlone) {
  const std::shared_ptr<const Chapter> chapter = OpenChapter(kDesert);
  ASSERT_TRUE(chapter->loaded) << chapter->errorText;
  constexpr int kGenerators = 8, kThreads = 4, kNames = 600;
  const std::vector<GenerationOptions> options = {Options(3, 2, true, true, true, true),
                                                  Options(1, 1, false, true, false, false, 'K')};
  std::vector<std::vector<std::string>> alone(kGenerators);
  for (int g = 0; g < kGenerators; ++g) {
    Generator generator(chapter, 100 + g);
    alone[g] = NamesOf(generator, options[g % 2], kNames);
  }

  // Two generators a thread, taking turns name by name, all started at once.
  std::vector<std::vector<std::string>> shared(kGenerators);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      Generator first(chapter, 100 + 2 * t), second(chapter, 101 + 2 * t);
      for (int i = 0; i < kNames; ++i) {
        shared[2 * t].emplace_back(first.Next(options[0]));
        shared[2 * t + 1].emplace_back(second.Next(options[1]));
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int g = 0; g < kGenerators; ++g) EXPECT_EQ(shared[g], alone[g]) << "generator " << g;
}

TEST(SharedChapter, AGeneratorStartedOverRepeatsItsNames) {
  const std::shared_ptr<const Chapter> chapter = OpenChapter(kDwarves);
  ASSERT_TRUE(chapter->loaded) << chapter->errorText;
  const GenerationOptions options = Options(2, 2, true, true, false, true);
  Generator generator(chapter, 31);
  const std::vector<std::string> first = NamesOf(generator, options, 300);
  generator.Restart(31);
  EXPECT_EQ(NamesOf(generator, options, 300), first);
  generator.Restart(32);
  EXPECT_NE(NamesOf(generator, options, 300), first);

  // The window's chapter object and a generator of one's own are the same
  // engine: the same seed gives the same names, history included.
  TempDir dir;
  auto window = LoadCopy(dir, kDwarves);
  SeedRandom(*window, 31);
  for (std::size_t i = 0; i < first.size(); ++i) ASSERT_EQ(GenerateName(*window, options), first[i]) << i;
  Generator bulk(chapter, 31);
  std::vector<std::string> made;
  bulk.Generate(options, 300, [&](std::string_view name) {
    made.emplace_back(name);
    return true;
  });
  EXPECT_EQ(made, first);
}

// The window reuses its one chapter object for every chapter it loads.
TEST(SharedChapter, AReusedChapterObjectGivesWhatAFreshOneGives) {
  TempDir dir;
  auto reused = LoadCopy(dir, kDesert);
  ASSERT_TRUE(reused->loaded);
  const GenerationOptions options = Options(3, 2, true, true, true, true);
  SeedRandom(*reused, 3);
  for (int i = 0; i < 200; ++i) GenerateName(*reused, options);
  auto fresh = LoadCopy(dir, kDwarves);
  reused->Load(dir.File("dwarves.vel"));
  ASSERT_TRUE(reused->loaded);
  EXPECT_EQ(reused->historyCount, 0);
  SeedRandom(*reused, 9);
  SeedRandom(*fresh, 9);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(GenerateName(*reused, options), GenerateName(*fresh, options)) << i;
}

TEST(SharedChapter, LoadingAndGeneratingWriteNothingUnlessAsked) {
  TempDir dir;
  const std::string path = dir.File("desert.vel");
  WriteFile(path, ReadFile(kDesert));
  WorkingFolder folder(dir.path());
  const std::vector<std::string> before = FolderEntries(dir.path());

  // A folder it could write, a file in memory, a list, a logged name
  // without a sink: nothing appears.
  const std::shared_ptr<const Chapter> fromFile = OpenChapter(path);
  ASSERT_TRUE(fromFile->loaded) << fromFile->errorText;
  const std::shared_ptr<const Chapter> fromMemory = OpenChapterBytes(ReadFile(path), "desert.vel");
  ASSERT_TRUE(fromMemory->loaded) << fromMemory->errorText;
  const std::shared_ptr<const Chapter> list = OpenChapterBytes("Ashby\nBarrowick\nColby\n", "v.txt");
  ASSERT_TRUE(list->loaded) << list->errorText;
  Generator generator(fromMemory, 5);
  generator.Next(Options(1, 1, false, false, false, false, '*', true));
  EXPECT_EQ(FolderEntries(dir.path()), before);

  // In memory and from the file: the same chapter, the same names.
  Generator again(fromFile, 5);
  generator.Restart(5);
  const GenerationOptions options = Options(3, 2, true, true, true, true);
  EXPECT_EQ(NamesOf(again, options, 100), NamesOf(generator, options, 100));

  // A folder it may not write loads all the same and stays as it was.
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                  fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  const std::string seen = InChild({.ordinaryUser = true}, [&] {
    const std::shared_ptr<const Chapter> chapter = OpenChapter(path, LoadOptions{nullptr, true});
    return std::string(chapter->loaded ? "loaded" : chapter->errorText);
  });
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(seen, "loaded");
  EXPECT_EQ(FolderEntries(dir.path()), before);

  // Asked to, loading caches the analysis beside the chapter.
  OpenChapter(path, LoadOptions{nullptr, true});
  EXPECT_TRUE(fs::exists(dir.File("desert.qch")));
}

}  // namespace
}  // namespace vael::test
