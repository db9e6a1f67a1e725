#pragma once
// Small vocabulary for tests: temporary folders, files and chapter texts.

#include <filesystem>
#include <string>
#include <vector>

namespace vael::test {

// A fresh folder below the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // path() / name, as a string.
  std::string File(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// Makes the given folder the working folder for the object's lifetime.
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::filesystem::path& folder);
  ~WorkingFolder();
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// A text chapter with CR LF line ends. Names are written each in quotes;
// extraTags are written verbatim before GENOPT (e.g. "SPCCON \"<TH>\";").
struct ChapterDraft {
  std::string title = "Test chapter";
  std::string line1 = "First line";
  std::string line2 = "Second line";
  std::string author = "Tester";
  std::string date = "2026-12-08";
  std::string genopt = "";
  std::vector<std::string> names;
  std::vector<std::string> extraTags;
};
std::string ChapterText(const ChapterDraft& draft);

// A draft with the default header and these names, options and tags.
ChapterDraft Draft(std::vector<std::string> names, std::string genopt = "",
                   std::vector<std::string> extraTags = {});

// Writes ChapterText(draft) to dir/fileName and returns the path.
std::string WriteChapter(const TempDir& dir, const std::string& fileName, const ChapterDraft& draft);

}  // namespace vael::test
