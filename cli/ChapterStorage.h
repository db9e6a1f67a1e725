#pragma once
// The chapter object of one vaelgen run.

#include <memory>

#include "core/chapter/TVaelChapter.h"

namespace vael::cli {

struct ChapterStorageDeleter {
  void operator()(TVaelChapter* chapter) const;
};
using ChapterStorage = std::unique_ptr<TVaelChapter, ChapterStorageDeleter>;

// A fresh chapter object. Its tables are sized for the largest chapter a
// file may hold, and even a run of one name touches all of them once; in a
// block aligned to a huge page the system can back them with one page
// instead of taking a fault for every 4 KB, which is a good part of a short
// run's time.
ChapterStorage NewChapter();

}  // namespace vael::cli
