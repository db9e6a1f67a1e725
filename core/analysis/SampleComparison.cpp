#include "core/analysis/SampleComparison.h"

#include <algorithm>
#include <memory>

#include "core/analysis/EditDistance.h"
#include "core/analysis/NameDistribution.h"
#include "core/chapter/CaseMapping.h"
#include "core/generation/NameDriver.h"
#include "core/screening/Accents.h"

namespace vael {

std::size_t SampleComparison::PairIndex(char first, char second) {
  return static_cast<std::size_t>(static_cast<unsigned char>(first)) << 8 |
         static_cast<unsigned char>(second);
}

void SampleComparison::AddPairsOf(std::string_view plain) {
  for (std::size_t i = 0; i + 1 < plain.size(); ++i) {
    if (IsLetterPair(plain[i], plain[i + 1])) pairs_.set(PairIndex(plain[i], plain[i + 1]));
  }
}

bool SampleComparison::IsSeenPair(char first, char second) const {
  return pairs_.test(PairIndex(first, second)) || beforeAnyLetter_.test(static_cast<unsigned char>(first)) ||
         afterAnyLetter_.test(static_cast<unsigned char>(second));
}

void SampleComparison::AddTemplateLetters(const ChapterTables& chapter) {
  const std::size_t count = std::min<std::size_t>(
      {static_cast<std::size_t>(std::max(chapter.templateCount, 0)), chapter.templates.size()});
  for (std::size_t t = 0; t < count; ++t) {
    const std::string& text = chapter.templates[t];
    std::size_t at = 0;
    while (at < text.size()) {
      const auto isGroup = [&](std::size_t i) {
        const char c = text[i];
        return c == '#' || c == '|' || (c >= '0' && c <= '9');
      };
      if (isGroup(at)) {
        ++at;
        continue;
      }
      // A run of literal characters; the underscores go from finished names.
      const std::size_t start = at;
      while (at < text.size() && !isGroup(at)) ++at;
      std::string run;
      for (std::size_t i = start; i < at; ++i) {
        if (text[i] != '_') run += ToUpperChar(text[i]);
      }
      if (run.empty()) continue;
      run = PlainVowels(chapter, run);
      AddPairsOf(run);
      if (start > 0) afterAnyLetter_.set(static_cast<unsigned char>(run.front()));
      if (at < text.size()) beforeAnyLetter_.set(static_cast<unsigned char>(run.back()));
    }
  }
}

SampleComparison::SampleComparison(const ChapterTables& chapter,
                                   const std::vector<std::string>& samples)
    : chapter_(chapter) {
  AddTemplateLetters(chapter);
  spellings_.reserve(samples.size());
  auto scratch = std::make_unique<GenerationState>();
  for (const std::string& sample : samples) {
    scratch->name = sample;
    FinishWords(chapter, *scratch);
    std::string spelled = ToUpper(scratch->name);
    AddPairsOf(PlainVowels(chapter, spelled));
    if (spellingSet_.insert(spelled).second) {
      if (spellingsByLength_.size() <= spelled.size()) spellingsByLength_.resize(spelled.size() + 1);
      spellingsByLength_[spelled.size()].push_back(spelled);
    }
    spellings_.push_back(std::move(spelled));
  }
}

const SampleComparison::Verdict& SampleComparison::Judge(const std::string& name) {
  if (auto known = verdicts_.find(name); known != verdicts_.end()) return known->second;
  const std::string upper = ToUpper(name);
  Verdict verdict;
  verdict.sample = spellingSet_.count(upper) != 0;
  // A near-copy is at most a quarter longer or a fifth shorter than its
  // sample, so only samples of nearby lengths are compared.
  const std::size_t length = upper.size();
  const std::size_t reach = length / (kLettersPerNearCopyEdit - 1) + 1;
  const std::size_t end = std::min(length + reach + 1, spellingsByLength_.size());
  const EditDistanceFrom fromName(upper);
  for (std::size_t size = length > reach ? length - reach : 0; size < end && !verdict.sample; ++size) {
    for (const std::string& sample : spellingsByLength_[size]) {
      if (fromName.IsNearCopy(sample)) {
        verdict.nearCopy = true;
        break;
      }
    }
    if (verdict.nearCopy) break;
  }
  const std::string plain = PlainVowels(chapter_, upper);
  for (std::size_t i = 0; i + 1 < plain.size() && !verdict.unseenPair; ++i) {
    verdict.unseenPair = IsLetterPair(plain[i], plain[i + 1]) && !IsSeenPair(plain[i], plain[i + 1]);
  }
  return verdicts_.emplace(name, verdict).first->second;
}

}  // namespace vael
