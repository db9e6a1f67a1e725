#include "core/analysis/SampleComparison.h"

#include <algorithm>
#include <memory>

#include "core/analysis/EditDistance.h"
#include "core/analysis/NameDistribution.h"
#include "core/analysis/TemplateRuns.h"
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

void SampleComparison::AddTemplateLetters(const std::vector<WeightedTemplate>& templates) {
  for (const WeightedTemplate& entry : templates) {
    for (std::size_t r = 0; r < entry.runs.size(); ++r) {
      if (entry.runs[r].group) continue;
      // The underscores go from finished names.
      std::string run;
      for (char c : entry.runs[r].text) {
        if (c != '_') run += ToUpperChar(c);
      }
      if (run.empty()) continue;
      run = PlainVowels(chapter_, run);
      AddPairsOf(run);
      if (r > 0) afterAnyLetter_.set(static_cast<unsigned char>(run.front()));
      if (r + 1 < entry.runs.size()) beforeAnyLetter_.set(static_cast<unsigned char>(run.back()));
    }
  }
}

void SampleComparison::AddCopyTarget(std::string spelled) {
  if (!spellingSet_.insert(spelled).second) return;
  if (spellingsByLength_.size() <= spelled.size()) spellingsByLength_.resize(spelled.size() + 1);
  const std::uint64_t bits = LetterBits(spelled);
  spellingsByLength_[spelled.size()].push_back({std::move(spelled), bits});
}

SampleComparison::SampleComparison(const ChapterTables& chapter,
                                   const std::vector<std::string>& samples)
    : chapter_(chapter) {
  const std::vector<WeightedTemplate> templates = WeightedTemplates(chapter);
  AddTemplateLetters(templates);
  spellings_.reserve(samples.size());
  auto scratch = std::make_unique<GenerationState>();
  auto spell = [&](std::string raw) {
    scratch->name = std::move(raw);
    FinishWords(chapter, *scratch);
    return ToUpper(scratch->name);
  };
  for (const std::string& sample : samples) {
    std::string spelled = spell(sample);
    AddPairsOf(PlainVowels(chapter, spelled));
    AddCopyTarget(spelled);
    spellings_.push_back(std::move(spelled));
  }
  // A template of one element group writes a whole sample into a name of its
  // own (Mac_# makes MacLeod of Leod): that name copies the sample too. The
  // literals are joined as the driver joins them, a letter equal to the
  // last one written left out.
  for (const WeightedTemplate& entry : templates) {
    if (entry.groups != 1 || entry.runs.size() == 1) continue;
    for (const std::string& sample : samples) {
      std::string raw;
      for (const TemplateRun& run : entry.runs) {
        if (run.group) {
          raw += sample;
          continue;
        }
        for (char c : run.text) {
          if (raw.empty() || raw.back() != ToUpperChar(c)) raw += c;
        }
      }
      AddCopyTarget(spell(std::move(raw)));
    }
  }
  expected_ = ExpectedShape(templates, spellings_);
}

void SampleComparison::JudgeCopy(const std::string& upper, Verdict& verdict) const {
  verdict.sample = spellingSet_.count(upper) != 0;
  // A near-copy is at most a quarter longer or a fifth shorter than its
  // sample, so only samples of nearby lengths are compared.
  const std::size_t length = upper.size();
  const std::size_t reach = length / (kLettersPerNearCopyEdit - 1) + 1;
  const std::size_t end = std::min(length + reach + 1, spellingsByLength_.size());
  const EditDistanceFrom fromName(upper);
  for (std::size_t size = length > reach ? length - reach : 0; size < end && !verdict.sample; ++size) {
    for (const CopyTarget& sample : spellingsByLength_[size]) {
      if (fromName.IsNearCopy(sample.spelling, sample.letterBits)) {
        verdict.nearCopy = true;
        return;
      }
    }
  }
}

bool SampleComparison::Copies(std::string_view name) const {
  Verdict verdict;
  JudgeCopy(ToUpper(name), verdict);
  return verdict.sample || verdict.nearCopy;
}

const SampleComparison::Verdict& SampleComparison::Judge(const std::string& name) {
  if (auto known = verdicts_.find(name); known != verdicts_.end()) return known->second;
  const std::string upper = ToUpper(name);
  Verdict verdict;
  JudgeCopy(upper, verdict);
  const std::string plain = PlainVowels(chapter_, upper);
  for (std::size_t i = 0; i + 1 < plain.size() && !verdict.unseenPair; ++i) {
    verdict.unseenPair = IsLetterPair(plain[i], plain[i + 1]) && !IsSeenPair(plain[i], plain[i + 1]);
  }
  return verdicts_.emplace(name, verdict).first->second;
}

}  // namespace vael
