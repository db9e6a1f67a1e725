#include "core/chapter/NameAnalysis.h"

#include <algorithm>
#include <unordered_map>

#include "core/chapter/CaseMapping.h"
#include "core/chapter/LetterClasses.h"

namespace vael {
namespace {

bool IsSeparator(char c) { return c == ' ' || c == '-'; }

// Characters of a name a failure text quotes: a name may be of any length,
// and the text must still fit a line of the window or the terminal.
constexpr std::size_t kQuotedNameLength = 40;

// The name as a failure text quotes it; a longer one is cut and ends in the
// code page's ellipsis, which no name can hold, to show that it was.
std::string QuotedName(std::string_view name) {
  if (name.size() <= kQuotedNameLength) return std::string(name);
  return std::string(name.substr(0, kQuotedNameLength)) + '\x85';
}

std::string NameFault(std::string_view fault, std::size_t index, std::string_view name) {
  return std::string(fault) + " in name #" + std::to_string(index + 1) + " (" + QuotedName(name) +
         ")";
}

// Length of the element that starts at z: a run of vowels or of consonants,
// or with MULTI a vowel, one non-vowel and the same vowel again.
std::size_t ElementLength(std::string_view coded, std::size_t z, bool multiVowels) {
  const bool vowel = IsVowel(coded[z]);
  if (vowel && multiVowels && z + 2 < coded.size() && coded[z + 2] == coded[z] &&
      !IsVowel(coded[z + 1]) && (z + 3 == coded.size() || !IsVowel(coded[z + 3]))) {
    return 3;
  }
  std::size_t end = z;
  while (end < coded.size() && (vowel ? IsVowel(coded[end]) : IsConsonant(coded[end]))) ++end;
  return end - z;
}

// The element tables with a reverse index, so that a large chapter does not
// search its element lists linearly for every element.
class ElementIndex {
 public:
  explicit ElementIndex(ChapterTables& chapter) : chapter_(chapter) {}

  // Code of the element, appended when new; -1 when the table is full.
  int CodeOf(const std::string& text, bool vowel) {
    auto& known = vowel ? vowels_ : consonants_;
    if (auto found = known.find(text); found != known.end()) return found->second;
    int& count = vowel ? chapter_.vowelElementCount : chapter_.consonantElementCount;
    if (count == (vowel ? kMaxVowelElements : kMaxConsonantElements)) return -1;
    (vowel ? chapter_.vowelElements : chapter_.consonantElements).push_back(text);
    int code = vowel ? count : kFirstConsonantCode + count;
    ++count;
    known.emplace(text, code);
    return code;
  }

 private:
  ChapterTables& chapter_;
  std::unordered_map<std::string, int> vowels_;
  std::unordered_map<std::string, int> consonants_;
};

}  // namespace

std::string UppercaseNames(const std::vector<std::string>& names, std::vector<std::string>& upper,
                           ChapterTables& chapter) {
  upper.clear();
  upper.reserve(names.size());
  chapter.initialLetters.clear();
  for (std::size_t n = 0; n < names.size(); ++n) {
    std::string name = ToUpper(names[n]);
    for (char c : name) {
      if (NameLetterIndex(c) < 0) return NameFault("Invalid character", n, name);
    }
    if (!name.empty() && chapter.initialLetters.find(name[0]) == std::string::npos) {
      AppendChar(chapter.initialLetters, name[0]);
    }
    upper.push_back(std::move(name));
  }
  return {};
}

std::string CodeName(std::string_view name, const ChapterTables& chapter) {
  std::string coded;
  coded.reserve(name.size());
  for (std::size_t p = 0; p < name.size(); ++p) {
    const char c = name[p];
    const bool last = p + 1 == name.size();
    // A soft consonant is written as the small form of its letter; sharp s
    // and the digits have none, so before an H they stay ordinary letters
    // rather than silently losing the H.
    if (chapter.softConsonants && !last && IsConsonant(c) && name[p + 1] == 'H' &&
        ToLowerChar(c) != c) {
      AppendChar(coded, ToLowerChar(c));
      ++p;
    } else if (chapter.yMode != 0 && c == 'Y') {
      bool consonant = chapter.yMode == 1 || (!last && IsVowel(name[p + 1]));
      AppendChar(coded, consonant ? 'y' : 'Y');
    } else if (chapter.uMode == 2 && p + 2 < name.size() && c == 'Q' && name[p + 1] == 'U' &&
               IsVowel(name[p + 2])) {
      AppendChar(coded, 'Q');
      AppendChar(coded, 'u');
      ++p;
    } else {
      AppendChar(coded, c);
    }
  }

  // Special consonants become their digit; the earliest-numbered spelling
  // that fits wins, and the scan resumes after the digit.
  std::string withSpecials;
  withSpecials.reserve(coded.size());
  for (std::size_t p = 0; p < coded.size();) {
    int special = -1;
    if (IsConsonant(coded[p])) {
      for (int s = 0; s < chapter.specialConsonantCount && s < kMaxSpecialConsonants; ++s) {
        const std::string& spelling = chapter.specialConsonants[s];
        if (!spelling.empty() && coded.compare(p, spelling.size(), spelling) == 0) {
          special = s;
          break;
        }
      }
    }
    if (special >= 0) {
      AppendChar(withSpecials, static_cast<char>('0' + special));
      p += chapter.specialConsonants[special].size();
    } else {
      AppendChar(withSpecials, coded[p]);
      ++p;
    }
  }
  return withSpecials;
}

std::string NameShapeFault(std::string_view coded, bool multiVowels) {
  // Parts as CutIntoElements finds them: separators end a part, and a name
  // that begins or ends with one has an empty part there.
  std::size_t z = 0;
  for (;;) {
    int elements = 0;
    while (z < coded.size() && !IsSeparator(coded[z])) {
      if (elements == kMaxStructureElements) return "Too many elements";
      z += std::max<std::size_t>(ElementLength(coded, z, multiVowels), 1);
      ++elements;
    }
    if (elements < 2) return "Too few elements";
    while (z < coded.size() && IsSeparator(coded[z])) ++z;
    if (z == coded.size() && !IsSeparator(coded.back())) return {};
    if (z == coded.size()) return "Too few elements";
  }
}

int StructureType(int elements, int first) {
  return first >= kFirstConsonantCode ? 2 * elements - 4 : 2 * elements - 3;
}

std::string CutIntoElements(const std::vector<std::string>& codedNames, ChapterTables& chapter,
                            CutNames& cut) {
  ElementIndex index(chapter);
  cut.structures.clear();
  cut.shapes.clear();
  cut.shapes.reserve(codedNames.size());
  for (std::size_t n = 0; n < codedNames.size(); ++n) {
    const std::string& coded = codedNames[n];
    std::string shape;
    Structure structure;
    structure.fill(-1);
    int elements = 0;
    std::size_t z = 0;
    for (;;) {
      if (z == coded.size() || IsSeparator(coded[z])) {
        // A part needs two elements to have a type; an empty part also
        // stands for a name that ends in, or begins with, a separator.
        if (elements < 2) return NameFault("Too few elements", n, coded);
        structure[elements] = -1;
        shape += std::to_string(StructureType(elements, structure[0]));
        while (z < coded.size() && IsSeparator(coded[z])) AppendChar(shape, coded[z++]);
        cut.structures.push_back(structure);
        structure.fill(-1);
        elements = 0;
        if (z == coded.size() && !IsSeparator(coded.back())) break;
        continue;
      }
      std::size_t length = ElementLength(coded, z, chapter.multiVowels);
      if (length == 0) length = 1;  // unreachable for checked names; never loop
      const bool vowel = IsVowel(coded[z]);
      int code = index.CodeOf(coded.substr(z, length), vowel);
      if (code < 0) return "Too many different elements";
      if (elements == kMaxStructureElements) return NameFault("Too many elements", n, coded);
      structure[elements++] = code;
      if (elements > chapter.maxElements) chapter.maxElements = elements;
      z += length;
    }
    cut.shapes.push_back(std::move(shape));
  }
  return {};
}

std::string DeriveTemplates(const std::vector<std::string>& shapes, ChapterTables& chapter) {
  if (chapter.templateCount != 1 || chapter.templates[0] != "*") return {};
  chapter.templates.clear();
  chapter.templateWeights.clear();
  chapter.templateCount = 0;
  std::unordered_map<std::string, int> known;
  for (const std::string& shape : shapes) {
    if (auto found = known.find(shape); found != known.end()) {
      ++chapter.templateWeights[found->second];
      continue;
    }
    if (chapter.templateCount == kMaxTemplates) return "Too many templates";
    known.emplace(shape, chapter.templateCount);
    chapter.templates.push_back(shape);
    chapter.templateWeights.push_back(1);
    ++chapter.templateCount;
  }
  return {};
}

}  // namespace vael
