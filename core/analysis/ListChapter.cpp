#include "core/analysis/ListChapter.h"

#include <array>
#include <ctime>
#include <filesystem>
#include <memory>

#include "core/analysis/Judgement.h"
#include "core/chapter/CaseMapping.h"
#include "core/chapter/ChapterLoader.h"
#include "core/chapter/TextFile.h"

namespace vael {
namespace {

// What a user who opens the written file needs to edit it. Keywords are
// written with small letters: in capitals the loader would take them for
// the tags.
std::vector<std::string> CommentBlock(const std::string& listName, const ListOptions& options) {
  std::vector<std::string> lines = {
      "Written by Vael from the plain list " + listName + ". Edit it freely:",
      "Title: the chapter's name in the chapter list.",
      "Line1, Line2, Author: the lines shown when the chapter is chosen.",
      "Date: any text, for your own records.",
      "Genopt: the options recommended for making names.",
  };
  if (options.judged) {
    lines.push_back("  They were chosen by trying each fit level with several mixes of the");
    lines.push_back("  switches, keeping the most distinct new names among those that seldom");
    lines.push_back("  copy a sample and keep the samples' lengths, initials and accents.");
  } else {
    lines.push_back("  These are the options for a plain list: every setting tried copied the");
    lines.push_back("  samples too often, joined letters no sample joins or strayed from the");
    lines.push_back("  samples' lengths, initials or accents. More names help.");
  }
  lines.push_back("Names: the sample names, each in double quotes; a semicolon after the last.");
  return lines;
}

}  // namespace

ListOptions OptionsForList(const std::vector<std::string>& names) {
  ListOptions options;
  options.genopt = std::string(kPlainListOptions);
  // The settings are tried on the list's chapter as a list loads; its val
  // level stays that of a list.
  auto chapter = std::make_unique<Chapter>();
  LoadChapterText(*chapter, ChapterTextForNames(ChapterHeader{}, kPlainListOptions, names));
  if (!chapter->loaded) {
    options.reason = chapter->ErrorTextUtf8();
    return options;
  }
  std::vector<std::string> samples;
  samples.reserve(names.size());
  for (const std::string& name : names) samples.push_back(ToUpper(name));
  const SettingChoice choice = JudgeSettings(*chapter, samples);
  if (!choice.found) {
    options.reason = choice.reason;
    return options;
  }
  options.judged = true;
  options.genopt = GenoptWords(choice.setting) + " VAL:" + std::to_string(chapter->valLevel);
  options.names = choice.figures.names;
  options.distinctNew = choice.figures.distinctNew;
  options.copies = choice.figures.sampleCopies + choice.figures.nearCopies;
  return options;
}

ListChapter ChapterFromList(std::string_view bytes, const std::string& listPath,
                            const std::string& title, const std::string& date) {
  ListChapter chapter;
  chapter.list = ReadPlainList(bytes);
  if (!chapter.list.fault.empty()) return chapter;
  chapter.options = OptionsForList(chapter.list.names);
  ChapterHeader header = HeaderForList(listPath, chapter.list.names.size());
  // Cut, so that a long file name cannot push the tags out of the header.
  const std::string listName =
      ReadTextFile(std::filesystem::path(listPath).filename().string()).text.substr(0, 64);
  if (!title.empty()) header.title = title;
  header.date = date;
  header.comments = CommentBlock(listName, chapter.options);
  chapter.text = ChapterTextForNames(header, chapter.options.genopt, chapter.list.names);
  return chapter;
}

std::string TodayText() {
  static constexpr std::array<const char*, 12> kMonths = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return {};
  return std::to_string(local.tm_mday) + " " + kMonths[static_cast<std::size_t>(local.tm_mon)] + " " +
         std::to_string(local.tm_year + 1900);
}

}  // namespace vael
