#include "core/analysis/NameShape.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "core/chapter/CaseMapping.h"

namespace vael {
namespace {

// A share for each count 0, 1, 2...
using Spread = std::vector<double>;

template <typename Key>
std::map<Key, double> SharesOf(const std::map<Key, int>& counts, int total) {
  std::map<Key, double> shares;
  for (const auto& [key, count] : counts) shares[key] = total > 0 ? static_cast<double>(count) / total : 0.0;
  return shares;
}

// The spread of the sum of two independent counts.
Spread Sum(const Spread& a, const Spread& b) {
  if (a.empty() || b.empty()) return {};
  Spread sum(a.size() + b.size() - 1, 0.0);
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] == 0) continue;
    for (std::size_t j = 0; j < b.size(); ++j) sum[i + j] += a[i] * b[j];
  }
  return sum;
}

void AddShifted(std::map<int, double>& into, const Spread& spread, int shift, double weight) {
  for (std::size_t i = 0; i < spread.size(); ++i) {
    if (spread[i] > 0) into[static_cast<int>(i) + shift] += weight * spread[i];
  }
}

// What a template adds to the parts it is filled with.
struct TemplateMakeUp {
  int letters = 0;  // its own letters; spaces, hyphens and underscores are none
  int accents = 0;
  bool startsWithGroup = false;
  unsigned char initial = 0;  // its first character otherwise
};

TemplateMakeUp ReadTemplate(const WeightedTemplate& entry) {
  TemplateMakeUp makeUp;
  bool first = true;
  for (const TemplateRun& run : entry.runs) {
    if (run.group) {
      makeUp.startsWithGroup |= first;
      first = false;
      continue;
    }
    for (char c : run.text) {
      if (c == '_') continue;  // taken out of finished names
      if (first) makeUp.initial = static_cast<unsigned char>(ToUpperChar(c));
      first = false;
      if (c == ' ' || c == '-') continue;
      ++makeUp.letters;
      makeUp.accents += IsAccentedLetter(ToUpperChar(c));
    }
  }
  return makeUp;
}

template <typename Key>
double HalfSummedDifference(const std::map<Key, double>& a, const std::map<Key, double>& b) {
  std::set<Key> keys;
  for (const auto& entry : a) keys.insert(entry.first);
  for (const auto& entry : b) keys.insert(entry.first);
  double sum = 0;
  for (const Key& key : keys) {
    const auto inA = a.find(key), inB = b.find(key);
    sum += std::fabs((inA == a.end() ? 0.0 : inA->second) - (inB == b.end() ? 0.0 : inB->second));
  }
  return 50.0 * sum;
}

// A name or template with every part or element group written as '#' and
// its spaces and hyphens kept: "#-#" for Arko-7e and for 3-2. Empty for a
// template that writes letters of its own.
std::string PartPattern(std::string_view spelling) {
  std::string pattern;
  for (char c : spelling) {
    if (c == ' ' || c == '-') pattern += c;
    else if (pattern.empty() || pattern.back() != '#') pattern += '#';
  }
  return pattern;
}

std::string GroupPattern(const WeightedTemplate& entry) {
  std::string pattern;
  for (const TemplateRun& run : entry.runs) {
    if (run.group) {
      pattern += '#';
      continue;
    }
    for (char c : run.text) {
      if (c != ' ' && c != '-') return {};
      pattern += c;
    }
  }
  return pattern;
}

// Whether the templates are the samples' own shapes, as the loader makes
// them for a chapter without TEMPLATES: as many names of each pattern of
// parts as the samples have. Their groups then name the structure types of
// the samples' parts, which a part drawn from all samples would not keep
// (a droid's code in front of its name).
bool TemplatesAreTheSamplesShapes(const std::vector<WeightedTemplate>& templates,
                                  const std::vector<std::string>& spellings) {
  std::map<std::string, long long> ofTemplates, ofSamples;
  for (const WeightedTemplate& entry : templates) {
    const std::string pattern = GroupPattern(entry);
    if (pattern.empty()) return false;
    ofTemplates[pattern] += entry.weight;
  }
  for (const std::string& spelling : spellings) ++ofSamples[PartPattern(spelling)];
  return ofTemplates == ofSamples;
}

}  // namespace

double NameShape::MeanLength() const {
  double mean = 0;
  for (const auto& [length, share] : lengths) mean += length * share;
  return mean;
}

NameShape ShapeOf(const NameDistribution& names) {
  NameShape shape;
  shape.lengths = SharesOf(names.lengths, names.names);
  shape.initials = SharesOf(names.initials, names.names);
  shape.accents = SharesOf(names.accents, names.names);
  return shape;
}

NameShape ExpectedShape(const std::vector<WeightedTemplate>& templates,
                        const std::vector<std::string>& spellings) {
  if (!spellings.empty() && TemplatesAreTheSamplesShapes(templates, spellings)) {
    NameDistribution samples;
    for (const std::string& spelling : spellings) samples.Add(spelling);
    return ShapeOf(samples);
  }
  // The parts of the samples: their lengths, accents and first letters.
  Spread partLengths, partAccents;
  std::map<unsigned char, double> partInitials;
  int parts = 0;
  for (const std::string& spelling : spellings) {
    std::size_t start = 0;
    while (start < spelling.size()) {
      const std::size_t end = std::min(spelling.find_first_of(" -", start), spelling.size());
      if (end > start) {
        const std::string_view part(spelling.data() + start, end - start);
        const auto length = static_cast<std::size_t>(LetterCount(part));
        const auto accents = static_cast<std::size_t>(AccentedLetterCount(part));
        if (partLengths.size() <= length) partLengths.resize(length + 1, 0.0);
        if (partAccents.size() <= accents) partAccents.resize(accents + 1, 0.0);
        partLengths[length] += 1;
        partAccents[accents] += 1;
        partInitials[static_cast<unsigned char>(part.front())] += 1;
        ++parts;
      }
      start = end + 1;
    }
  }
  NameShape shape;
  if (parts == 0) return shape;
  for (double& share : partLengths) share /= parts;
  for (double& share : partAccents) share /= parts;
  for (auto& [initial, share] : partInitials) share /= parts;

  long long totalWeight = 0;
  int mostGroups = 0;
  for (const WeightedTemplate& entry : templates) {
    totalWeight += entry.weight;
    mostGroups = std::max(mostGroups, entry.groups);
  }
  if (totalWeight == 0) return shape;
  // The sums of 0, 1, 2... parts, each made once.
  std::vector<Spread> lengthSums{{1.0}}, accentSums{{1.0}};
  for (int groups = 1; groups <= mostGroups; ++groups) {
    lengthSums.push_back(Sum(lengthSums.back(), partLengths));
    accentSums.push_back(Sum(accentSums.back(), partAccents));
  }
  for (const WeightedTemplate& entry : templates) {
    const double weight = static_cast<double>(entry.weight) / static_cast<double>(totalWeight);
    const TemplateMakeUp makeUp = ReadTemplate(entry);
    const auto groups = static_cast<std::size_t>(entry.groups);
    AddShifted(shape.lengths, lengthSums[groups], makeUp.letters, weight);
    AddShifted(shape.accents, accentSums[groups], makeUp.accents, weight);
    if (makeUp.startsWithGroup) {
      for (const auto& [initial, share] : partInitials) shape.initials[initial] += weight * share;
    } else if (makeUp.initial != 0) {
      shape.initials[makeUp.initial] += weight;
    }
  }
  return shape;
}

double LengthGap(const NameShape& a, const NameShape& b) {
  std::set<int> lengths;
  for (const auto& entry : a.lengths) lengths.insert(entry.first);
  for (const auto& entry : b.lengths) lengths.insert(entry.first);
  double upToA = 0, upToB = 0, gap = 0;
  for (int length : lengths) {
    if (auto found = a.lengths.find(length); found != a.lengths.end()) upToA += found->second;
    if (auto found = b.lengths.find(length); found != b.lengths.end()) upToB += found->second;
    gap = std::max(gap, std::fabs(upToA - upToB));
  }
  return 100.0 * gap;
}

double InitialGap(const NameShape& a, const NameShape& b) { return HalfSummedDifference(a.initials, b.initials); }

double AccentGap(const NameShape& a, const NameShape& b) { return HalfSummedDifference(a.accents, b.accents); }

}  // namespace vael
