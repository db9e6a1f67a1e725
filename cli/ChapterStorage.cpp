#include "cli/ChapterStorage.h"

#include <sys/mman.h>

#include <new>

namespace vael::cli {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::align_val_t kAlignment{kHugePage};

}  // namespace

void ChapterStorageDeleter::operator()(TVaelChapter* chapter) const {
  chapter->~TVaelChapter();
  ::operator delete(chapter, kAlignment);
}

ChapterStorage NewChapter() {
  const std::size_t size = (sizeof(TVaelChapter) + kHugePage - 1) / kHugePage * kHugePage;
  void* block = ::operator new(size, kAlignment);
  // Only advice: where huge pages are off the block is used as it is.
  madvise(block, size, MADV_HUGEPAGE);
  return ChapterStorage(::new (block) TVaelChapter());
}

}  // namespace vael::cli
