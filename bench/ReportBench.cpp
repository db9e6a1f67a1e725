// The whole chapter report, as vaelgen --report makes it, for the sample
// chapters of 200 names: load, 24 settings of 10,000 names, figures and
// page. Each should take well under 2 s.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "cli/ReportPage.h"
#include "core/Vael.h"

namespace {

namespace fs = std::filesystem;

void ChapterReportPage(benchmark::State& state, const std::string& relativePath) {
  const fs::path source = fs::path(VAEL_LIBRARY_DIR) / relativePath;
  // A copy, so that no compiled chapter is written into the library.
  const fs::path folder =
      fs::temp_directory_path() / ("vael-report-bench-" + std::to_string(std::random_device{}()));
  std::error_code error;
  fs::create_directories(folder, error);
  const fs::path copy = folder / source.filename();
  fs::copy_file(source, copy, fs::copy_options::overwrite_existing, error);
  if (error) {
    state.SkipWithError("the sample chapter is missing");
    return;
  }
  auto chapter = std::make_unique<vael::TVaelChapter>();
  for (auto _ : state) {
    chapter->Load(copy.string());
    std::vector<std::string> samples;
    const bool known = vael::ReadSampleNames(copy.string(), samples);
    const vael::ChapterReport report = vael::MakeChapterReport(*chapter, known ? &samples : nullptr);
    benchmark::DoNotOptimize(vael::cli::ReportPage(*chapter, report, copy.string()));
  }
  state.SetLabel(relativePath + " (" + std::to_string(chapter->nameCount) + " names)");
  fs::remove_all(folder, error);
}

BENCHMARK_CAPTURE(ChapterReportPage, Finnish, std::string("northlands/finnish.vel"))
    ->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(ChapterReportPage, Places, std::string("northlands/places.vel"))
    ->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(ChapterReportPage, Reef, std::string("wild/reef.vel"))
    ->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
