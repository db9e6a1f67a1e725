#pragma once
// What the interface's handles hold. A chapter handle keeps the loaded
// chapter with its texts already in UTF-8, so that the pointers it hands out
// live as long as it does; a generator handle keeps a share of the chapter,
// so it may outlive the chapter handle.

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis/ChapterReport.h"
#include "core/chapter/Chapter.h"
#include "core/filters/NameFilter.h"
#include "core/generation/Generator.h"
#include "vael/vael.h"

struct vael_chapter {
  std::shared_ptr<const vael::Chapter> chapter;
  // The header texts in UTF-8, by vael_text.
  std::array<std::string, VAEL_TEXT_INITIALS + 1> texts;
  // The sample names in capitals (code page), when known (a compiled
  // chapter keeps none); shared with the generators, whose filters may
  // compare with them after the chapter's handle is gone.
  std::shared_ptr<const std::vector<std::string>> samples;
  std::size_t leftOut = 0;  // names of a plain list left out
};

struct vael_generator {
  vael_generator(vael::Generator made, const vael::GenerationOptions& options,
                 std::shared_ptr<const std::vector<std::string>> samples)
      : generator(std::move(made)), request(options), chapterSamples(std::move(samples)) {}

  vael::Generator generator;
  vael::GenerationOptions request;
  // A name made but not yet handed over, because the caller's buffer was too
  // small: it comes first with the next call. In UTF-8.
  std::string pending;
  std::string pendingName;  // the same in the code page, for filters set while it waits
  bool hasPending = false;
  bool pendingLogged = false;
  std::string log;  // of the last logged name handed over, UTF-8
  std::string pendingLog;
  std::shared_ptr<const std::vector<std::string>> chapterSamples;  // null: not known
  // The filters as set; a restart builds the filter anew from them, so that
  // unique forgets the names of the run before.
  vael::FilterOptions filterOptions;
  std::unique_ptr<vael::NameFilter> filter;  // null: no filters
};

struct vael_report {
  vael::ChapterReport report;
  std::string reason;  // UTF-8
};
