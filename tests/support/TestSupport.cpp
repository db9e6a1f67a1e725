#include "support/TestSupport.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>
#include <unistd.h>

namespace vael::test {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device device;
  auto base = std::filesystem::temp_directory_path();
  for (;;) {
    auto candidate = base / ("vael-test-" + std::to_string(::getpid()) + "-" +
                             std::to_string(counter++) + "-" + std::to_string(device() % 100000));
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) {
      path_ = candidate;
      return;
    }
  }
}

TempDir::~TempDir() {
  namespace fs = std::filesystem;
  std::error_code error;
  // Tests may remove permissions; give them back so the folder can go. A
  // folder is opened only after its entry is seen, so its own permissions
  // are back by then.
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
  for (fs::recursive_directory_iterator it(path_, error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
  }
  fs::remove_all(path_, error);
}

std::string TempDir::File(const std::string& name) const { return (path_ / name).string(); }

WorkingFolder::WorkingFolder(const std::filesystem::path& folder)
    : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

WorkingFolder::~WorkingFolder() {
  std::error_code error;
  std::filesystem::current_path(previous_, error);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

std::string ChapterText(const ChapterDraft& draft) {
  std::string text;
  text += "TITLE \"" + draft.title + "\";\r\n";
  text += "LINE1 \"" + draft.line1 + "\";\r\n";
  text += "LINE2 \"" + draft.line2 + "\";\r\n";
  if (!draft.author.empty()) text += "AUTHOR \"" + draft.author + "\";\r\n";
  text += "DATE \"" + draft.date + "\";\r\n";
  for (const auto& tag : draft.extraTags) text += tag + "\r\n";
  text += "GENOPT \"" + draft.genopt + "\";\r\n";
  text += "NAMES";
  for (std::size_t i = 0; i < draft.names.size(); ++i) {
    text += (i % 8 == 0) ? "\r\n  " : " ";
    text += "\"" + draft.names[i] + "\"";
  }
  text += ";\r\n";
  return text;
}

ChapterDraft Draft(std::vector<std::string> names, std::string genopt,
                   std::vector<std::string> extraTags) {
  ChapterDraft draft;
  draft.names = std::move(names);
  draft.genopt = std::move(genopt);
  draft.extraTags = std::move(extraTags);
  return draft;
}

std::string WriteChapter(const TempDir& dir, const std::string& fileName, const ChapterDraft& draft) {
  std::string path = dir.File(fileName);
  WriteFile(path, ChapterText(draft));
  return path;
}

}  // namespace vael::test
