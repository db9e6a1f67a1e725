#include "core/chapter/DerivedTemplates.h"

#include <algorithm>
#include <string>

#include "core/chapter/LetterClasses.h"
#include "core/chapter/ChapterTables.h"

namespace vael {
namespace {

constexpr int kLargestType = kStructureTypes - 1;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number formed by the digits at the start of a template, 63 at most;
// 0 when it begins with anything else.
int LeadingTypeNumber(std::string_view text) {
  int value = 0;
  for (char c : text) {
    if (!IsDigit(c)) break;
    value = std::min(value * 10 + (c - '0'), kLargestType + 1);
  }
  return std::min(value, kLargestType);
}

// One type number of an element group: when the next digit would take the
// value past 63, the number is 63 and that digit stays unread.
int ReadTypeNumber(std::string_view text, std::size_t& position) {
  int value = 0;
  while (position < text.size() && IsDigit(text[position])) {
    const int next = value * 10 + (text[position] - '0');
    if (next > kLargestType) return kLargestType;
    value = next;
    ++position;
  }
  return value;
}

// Whether the first element group of the template lists a type that begins
// with a consonant (an even type). A group written "3|2" may be drawn as
// type 2, so it can begin with a consonant although its first number is odd.
bool FirstGroupListsConsonantType(std::string_view text) {
  std::size_t position = 0;
  for (;;) {
    if (ReadTypeNumber(text, position) % 2 == 0) return true;
    if (position >= text.size() || text[position] != '|') return false;
    ++position;
  }
}

// The allowed type weights of the group at `position`, which it moves past:
// the listed types with their structure counts, or every type for '#'; when
// types 0 to 62 have no weight at all, their counts stand in.
std::array<int, kStructureTypes> AllowedTypes(const ChapterTables& chapter, std::string_view text,
                                              std::size_t& position) {
  std::array<int, kStructureTypes> allowed{};
  if (text[position] == '#') {
    allowed = chapter.structureTypeCounts;
    ++position;
  } else {
    for (;;) {
      const int type = ReadTypeNumber(text, position);
      allowed[type] = chapter.structureTypeCounts[type];
      if (position >= text.size() || text[position] != '|') break;
      ++position;
    }
  }
  long long lowerTypes = 0;
  for (int type = 0; type < kLargestType; ++type) lowerTypes += allowed[type];
  if (lowerTypes == 0) {
    std::copy_n(chapter.structureTypeCounts.begin(), kLargestType, allowed.begin());
  }
  return allowed;
}

TemplateFacts ReadTemplate(const ChapterTables& chapter, std::string_view text,
                           DerivedTables& derived) {
  TemplateFacts facts;
  facts.startsWithHash = !text.empty() && text.front() == '#';
  facts.leadingType = LeadingTypeNumber(text);
  facts.firstGroupListsConsonantType = FirstGroupListsConsonantType(text);
  facts.firstStep = static_cast<int>(derived.steps.size());
  std::size_t position = 0;
  while (position < text.size()) {
    const char c = text[position];
    TemplateStep step;
    if (c == '#' || IsDigit(c)) {
      TypeChoice choice;
      FillTypeChoice(AllowedTypes(chapter, text, position), choice);
      step.group = static_cast<int>(derived.groups.size());
      derived.groups.push_back(choice);
    } else {
      step.literal = c;
      ++position;
    }
    derived.steps.push_back(step);
  }
  facts.stepCount = static_cast<int>(derived.steps.size()) - facts.firstStep;
  return facts;
}

}  // namespace

bool TemplateAcceptsLetter(const TemplateFacts& facts, char letter, int yMode) {
  // The template's first structure type must be able to begin with the
  // letter: an odd type begins with a vowel, an even one with a consonant.
  // With Y:CON every Y of the samples is a consonant and the builder draws
  // only consonant-first types for it, so a Y is judged as a consonant here
  // too, and by every type its first group lists: judged by the first number
  // alone, a chapter whose templates all start "3|2" could never begin a
  // name with Y.
  if (letter == '*' || facts.startsWithHash) return true;
  if (letter == 'Y' && yMode == 1) return facts.firstGroupListsConsonantType;
  return facts.leadingType % 2 == 1 ? IsVowel(letter) : IsConsonant(letter);
}

bool AnyTemplateAcceptsLetter(const DerivedTables& derived, char letter, int yMode) {
  if (derived.templateCount <= 0) return false;
  if (letter == '*' || derived.anyHashTemplate) return true;
  if (letter == 'Y' && yMode == 1) return derived.anyConsonantTypeListed;
  return (IsVowel(letter) && derived.anyVowelFirstTemplate) ||
         (IsConsonant(letter) && derived.anyConsonantFirstTemplate);
}

void DeriveTemplates(const ChapterTables& chapter, DerivedTables& derived) {
  const int count =
      std::min<int>({chapter.templateCount, static_cast<int>(chapter.templates.size()),
                     static_cast<int>(chapter.templateWeights.size())});
  derived.templateCount = std::max(count, 0);
  std::vector<std::int64_t> running;
  std::int64_t sum = 0;
  for (int i = 0; i < derived.templateCount; ++i) {
    running.push_back(sum += chapter.templateWeights[i]);
    const TemplateFacts facts = ReadTemplate(chapter, chapter.templates[i], derived);
    derived.templates.push_back(facts);
    derived.anyHashTemplate |= facts.startsWithHash;
    derived.anyVowelFirstTemplate |= facts.leadingType % 2 == 1;
    derived.anyConsonantFirstTemplate |= facts.leadingType % 2 == 0;
    derived.anyConsonantTypeListed |= facts.firstGroupListsConsonantType;
  }
  derived.templateDraw = RunningDraw(running, sum);
  // The stand-in template "#", last: one group of any type.
  derived.templates.push_back(ReadTemplate(chapter, "#", derived));
}

}  // namespace vael
