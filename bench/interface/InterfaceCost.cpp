// What the C interface costs: names per second made by the engine's own
// loop (Generator::Generate), and through vael_generator_next and
// vael_generator_names, from the same chapter, options and seed.
//
//   vael_interface_bench CHAPTER [COUNT [MODE]]
//
// MODE engine, next or names runs that one alone (for callgrind: compare
// the instructions of two counts per mode); without it, all three are
// timed one after the other.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/analysis/Request.h"
#include "core/chapter/ChapterLoader.h"
#include "core/generation/Generator.h"
#include "vael/vael.h"

namespace {

constexpr std::uint32_t kSeed = 7;

// Every mode adds up the names' lengths, so that no loop can be left out.
std::size_t Engine(const std::string& path, long count) {
  auto chapter = vael::OpenChapter(path);
  vael::Generator generator(chapter, kSeed);
  std::size_t letters = 0;
  generator.Generate(vael::RequestFor(*chapter, {}), count, [&](std::string_view name) {
    letters += name.size();
    return true;
  });
  return letters;
}

std::size_t Interface(const std::string& path, long count, bool batches) {
  vael_chapter* chapter = nullptr;
  vael_generator* generator = nullptr;
  if (vael_chapter_open(path.c_str(), &chapter) != VAEL_OK ||
      vael_generator_new(chapter, nullptr, kSeed, &generator) != VAEL_OK) {
    std::fprintf(stderr, "%s\n", vael_last_error());
    std::exit(1);
  }
  std::size_t letters = 0;
  if (batches) {
    std::vector<char> buffer(1 << 16);
    for (long left = count; left > 0;) {
      size_t made = 0, length = 0;
      vael_generator_names(generator, static_cast<size_t>(left), buffer.data(), buffer.size(),
                           &made, &length);
      letters += length - made;
      left -= static_cast<long>(made);
    }
  } else {
    char name[256];
    size_t length = 0;
    for (long i = 0; i < count; ++i) {
      vael_generator_next(generator, name, sizeof name, &length);
      letters += length;
    }
  }
  vael_generator_free(generator);
  vael_chapter_free(chapter);
  return letters;
}

std::size_t Run(const std::string& mode, const std::string& path, long count) {
  if (mode == "engine") return Engine(path, count);
  return Interface(path, count, mode == "names");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: vael_interface_bench CHAPTER [COUNT [engine|next|names]]\n");
    return 2;
  }
  const std::string path = argv[1];
  const long count = argc > 2 ? std::atol(argv[2]) : 1000000;
  std::vector<std::string> modes = {"engine", "next", "names"};
  if (argc > 3) modes = {argv[3]};
  for (const std::string& mode : modes) {
    const auto start = std::chrono::steady_clock::now();
    const std::size_t letters = Run(mode, path, count);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-7s %10.0f names/s  (%ld names, %zu bytes)\n", mode.c_str(), count / seconds,
                count, letters);
  }
  return 0;
}
