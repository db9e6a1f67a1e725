#include "core/chapter/CompiledChapter.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "core/chapter/ByteCodec.h"
#include "core/chapter/LetterClasses.h"
#include "core/chapter/Statistics.h"
#include "core/files/ReplaceFile.h"

// Layout of a compiled chapter. A flat run of fields without padding; texts
// are Windows-1252 bytes ended by a 0 byte; 2-byte numbers are high byte
// first; a 1-byte field keeps the low 8 bits of its value; bit rows hold
// eight flags to a byte, the first flag in the lowest bit, every row starting
// on a new byte and its last byte padded with 0 bits.
// J = vowelElementCount, I = consonantElementCount, K = maxElements,
// M = endPairCount, T = highest structure type with a non-zero count (0 if
// none), P = bytes of a J-flag row = (J + 7) / 8.
//
//   #  field                    size            content
//   1  marker                   1               0
//   2  checksum                 1               ChapterChecksum of the text chapter
//   3  format                   1               1
//   4  version                  text            "Vael 3.0"
//   5  header texts             5 texts         title, line1, line2, author, topic
//                                               (the date is not kept)
//   6  option flags             1               bit 0 structGen, 1 statGen, 2 shuffle,
//                                               3 prefixOption, 4 suffixOption
//   7  fit                      1               fitLevel
//   8  val                      1               valLevel
//   9  punct                    1               punctLevel
//  10  Y mode                   1               yMode
//  11  U mode                   1               uMode
//  12  initial letters          text            initialLetters
//  13  name count               2               nameCount
//  14  max elements             1               K
//  15  template count           1               templateCount (256 is stored as 0)
//  16  templates                text + 1 each   template text, weight (low 8 bits)
//  17  vowel element count      1               J
//  18  vowel elements           J texts
//  19  vowel positions          J * K * 2       vowelPositionCounts[v][0..K-1], row by row
//  20  consonant element count  2               I
//  21  consonant elements       I texts         coded form
//  22  consonant positions      I * K * 2       consonantPositionCounts[j][0..K-1]
//  23  special consonant count  1
//  24  special consonants       texts           as spelled
//  25  start pair count         2
//  26  start pairs              3 each          pair encoding, below
//  27  start pair weights       2 each
//  28  end pair count           2               M
//  29  end pairs                3 each          pair encoding
//  30  end pair weights         2 each
//  31  type count               1               T + 1
//  32  type counts              (T + 1) * 2     structureTypeCounts[0..T]
//  33  variant counts           (T + 1) * 2     structureVariantCounts[0..T]
//  34  variant weights          2 each          type 0..T in turn, each type's variants
//  35  variant texts            texts           type 0..T in turn, each type's variants
//  36  vowel after consonant    J * 8           row v: flags [v][0..63]
//  37  consonant after vowel    64 * P          row c: flags [c][0..J-1]
//  38  consonant across vowel   64 * 8          row c: flags [c][0..63]
//  39  vowel across consonant   J * P           row v: flags [v][0..J-1]
//  40  before end pair 1        M * (P + 8)     per end pair: flags 0..J-1 as one row,
//                                               then flags 100..163 as another
//  41  before end pair 2        M * (P + 8)     the same for endPairBefore2
//  42  repeat distances         127             minRepeatDistance[0..126]
//  43  letter shares            127             maxLetterPercent[0..126]
//  44  end mark                 4               "#END", no 0 byte
//
// Pair encoding: bytes a, b and a class letter. 'C': the pair starts with a
// consonant element and its codes are (a + 100, b); 'V': it starts with a
// vowel element and its codes are (a, b + 100).
//
// The hyphen (name letter 127) is not stored: after reading, it has the
// values of a letter that never repeats and never occurs (255 and 0).

namespace vael {
namespace {

constexpr std::string_view kVersion = "Vael 3.0";
constexpr std::string_view kEndMark = "#END";
constexpr int kFormat = 1;
constexpr int kStoredLetters = kNameLetterSetSize - 1;  // all but the hyphen
constexpr int kWideFlagRow = kConsonantLetterColumns;   // 64 flags, 8 bytes

// Bit 0 upwards of field 6.
enum OptionBit { kStructGen = 1, kStatGen = 2, kShuffle = 4, kPrefix = 8, kSuffix = 16 };

int VariantLength(int type) { return type / 2 + 2; }

// FIT: and VAL: keep the code of the character after them minus that of "0",
// -48 to 207; in one byte, -48 to -1 come back as 208 to 255.
int DigitOption(int stored) { return stored > 0xFF - '0' ? stored - 0x100 : stored; }

int HighestType(const ChapterTables& chapter) {
  for (int t = kStructureTypes - 1; t > 0; --t) {
    if (chapter.structureTypeCounts[t] != 0) return t;
  }
  return 0;
}

// The counts must describe the lists beside them, or the image would read
// past them.
bool ListsMatchCounts(const ChapterTables& chapter) {
  auto holds = [](const auto& list, int count) {
    return count >= 0 && list.size() == static_cast<std::size_t>(count);
  };
  if (!holds(chapter.templates, chapter.templateCount) ||
      !holds(chapter.templateWeights, chapter.templateCount) ||
      !holds(chapter.vowelElements, chapter.vowelElementCount) ||
      !holds(chapter.consonantElements, chapter.consonantElementCount) ||
      !holds(chapter.startPairs, chapter.startPairCount) ||
      !holds(chapter.startPairWeights, chapter.startPairCount) ||
      !holds(chapter.endPairs, chapter.endPairCount) ||
      !holds(chapter.endPairWeights, chapter.endPairCount) ||
      chapter.endPairBefore1.size() < chapter.endPairs.size() ||
      chapter.endPairBefore2.size() < chapter.endPairs.size()) {
    return false;
  }
  for (int t = 0; t < kStructureTypes; ++t) {
    if (!holds(chapter.structureVariants[t], chapter.structureVariantCounts[t]) ||
        !holds(chapter.structureVariantWeights[t], chapter.structureVariantCounts[t])) {
      return false;
    }
  }
  return chapter.vowelElementCount <= kMaxVowelElements &&
         chapter.consonantElementCount <= kMaxConsonantElements &&
         chapter.maxElements >= 0 && chapter.maxElements <= kMaxStructureElements &&
         chapter.specialConsonantCount >= 0 &&
         chapter.specialConsonantCount <= kMaxSpecialConsonants;
}

void PutPair(ByteWriter& out, const ElementPair& pair) {
  bool consonantFirst = pair.first >= 100;
  out.PutByte(consonantFirst ? pair.first - 100 : pair.first);
  out.PutByte(consonantFirst ? pair.second : pair.second - 100);
  out.PutByte(consonantFirst ? 'C' : 'V');
}

void PutPairList(ByteWriter& out, const std::vector<ElementPair>& pairs,
                 const std::vector<int>& weights) {
  out.PutU16(static_cast<int>(pairs.size()));
  for (const auto& pair : pairs) PutPair(out, pair);
  for (int weight : weights) out.PutU16(weight);
}

template <typename Rows>
void PutPositions(ByteWriter& out, const Rows& rows, int count, int slots) {
  for (int row = 0; row < count; ++row) {
    for (int slot = 0; slot < slots; ++slot) out.PutU16(rows[row][slot]);
  }
}

template <typename Rows>
void GetPositions(ByteReader& in, Rows& rows, int count, int slots) {
  for (int row = 0; row < count; ++row) {
    for (int slot = 0; slot < slots; ++slot) rows[row][slot] = in.GetU16();
  }
}

// A pair whose codes name elements the chapter has.
bool GetPair(ByteReader& in, ElementPair& pair, int vowels, int consonants) {
  int a = in.GetByte();
  int b = in.GetByte();
  int kind = in.GetByte();
  if (kind == 'C' && a < consonants && b < vowels) {
    pair = {a + 100, b};
    return true;
  }
  if (kind == 'V' && a < vowels && b < consonants) {
    pair = {a, b + 100};
    return true;
  }
  return false;
}

bool GetPairList(ByteReader& in, std::vector<ElementPair>& pairs, std::vector<int>& weights,
                 int& count, int vowels, int consonants) {
  // The count is bounded by the data that must follow it, not by
  // pairCapacity: names with many parts legitimately give longer lists.
  count = in.GetU16();
  if (!in.ok() || in.remaining() < static_cast<std::size_t>(count) * 5) {
    return false;
  }
  pairs.resize(count);
  for (auto& pair : pairs) {
    if (!GetPair(in, pair, vowels, consonants)) return false;
  }
  weights.resize(count);
  for (int& weight : weights) weight = in.GetU16();
  return in.ok();
}

// Element texts the generator can take apart: consonant elements are runs of
// consonant characters; vowel elements begin and end with a vowel.
bool PlausibleVowelElement(const std::string& text) {
  return !text.empty() && IsVowel(text.front()) && IsVowel(text.back());
}
bool PlausibleConsonantElement(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsConsonant);
}

}  // namespace

std::uint8_t ChapterChecksum(std::string_view textChapter) {
  // CRC-8 over the primitive polynomial x^8 + x^4 + x^3 + x^2 + 1: every
  // changed byte changes it, and so does swapping two different bytes fewer
  // than 255 bytes apart, where a plain sum would see nothing.
  static const std::array<std::uint8_t, 256> table = [] {
    std::array<std::uint8_t, 256> entries{};
    for (int i = 0; i < 256; ++i) {
      unsigned crc = static_cast<unsigned>(i);
      for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x80) ? (crc << 1) ^ 0x1D : crc << 1;
      entries[i] = static_cast<std::uint8_t>(crc);
    }
    return entries;
  }();
  std::uint8_t crc = 0xFF;
  for (char c : textChapter) crc = table[crc ^ static_cast<unsigned char>(c)];
  return crc;
}

bool IsCompiledChapter(std::string_view bytes) {
  return bytes.size() >= 7 && bytes[0] == 0 && bytes.substr(3, 4) == "Vael";
}

std::string WriteCompiledChapter(const ChapterTables& chapter, std::uint8_t checksum) {
  if (!ListsMatchCounts(chapter)) return {};
  const int j = chapter.vowelElementCount;
  const int i = chapter.consonantElementCount;
  const int k = chapter.maxElements;
  const int m = chapter.endPairCount;
  const int highestType = HighestType(chapter);

  ByteWriter out;
  out.PutByte(0);
  out.PutByte(checksum);
  out.PutByte(kFormat);
  out.PutText(kVersion);
  for (const std::string* text :
       {&chapter.title, &chapter.line1, &chapter.line2, &chapter.author, &chapter.topic}) {
    out.PutText(*text);
  }
  out.PutByte((chapter.structGen ? kStructGen : 0) | (chapter.statGen ? kStatGen : 0) |
              (chapter.shuffle ? kShuffle : 0) | (chapter.prefixOption ? kPrefix : 0) |
              (chapter.suffixOption ? kSuffix : 0));
  for (int option : {chapter.fitLevel, chapter.valLevel, chapter.punctLevel, chapter.yMode,
                     chapter.uMode}) {
    out.PutLow8(option);
  }
  out.PutText(chapter.initialLetters);
  out.PutU16(chapter.nameCount);
  out.PutByte(k);

  // 256 templates are stored as a count of 0, and a weight keeps its low 8
  // bits; the reader takes 0 back as 256 in both places.
  out.Require(chapter.templateCount >= 1 && chapter.templateCount <= kMaxTemplates);
  out.PutLow8(chapter.templateCount);
  for (int t = 0; t < chapter.templateCount; ++t) {
    out.PutText(chapter.templates[t]);
    out.PutLow8(chapter.templateWeights[t]);
  }

  out.PutByte(j);
  for (const auto& element : chapter.vowelElements) out.PutText(element);
  PutPositions(out, chapter.vowelPositionCounts, j, k);
  out.PutU16(i);
  for (const auto& element : chapter.consonantElements) out.PutText(element);
  PutPositions(out, chapter.consonantPositionCounts, i, k);

  out.PutByte(chapter.specialConsonantCount);
  for (int s = 0; s < chapter.specialConsonantCount; ++s) {
    out.PutText(chapter.specialConsonants[s]);
  }

  PutPairList(out, chapter.startPairs, chapter.startPairWeights);
  PutPairList(out, chapter.endPairs, chapter.endPairWeights);

  out.PutByte(highestType + 1);
  for (int t = 0; t <= highestType; ++t) out.PutU16(chapter.structureTypeCounts[t]);
  for (int t = 0; t <= highestType; ++t) out.PutU16(chapter.structureVariantCounts[t]);
  for (int t = 0; t <= highestType; ++t) {
    for (int weight : chapter.structureVariantWeights[t]) out.PutU16(weight);
  }
  for (int t = 0; t <= highestType; ++t) {
    for (const auto& variant : chapter.structureVariants[t]) out.PutText(variant);
  }
  // Types above T have no structures, so they can have no variants either.
  for (int t = highestType + 1; t < kStructureTypes; ++t) {
    out.Require(chapter.structureVariantCounts[t] == 0);
  }

  for (int v = 0; v < j; ++v) out.PutBitRow(chapter.vowelAfterConsonant[v], 0, kWideFlagRow);
  for (const auto& row : chapter.consonantAfterVowel) out.PutBitRow(row, 0, j);
  for (const auto& row : chapter.consonantAcrossVowel) out.PutBitRow(row, 0, kWideFlagRow);
  for (int v = 0; v < j; ++v) out.PutBitRow(chapter.vowelAcrossConsonant[v], 0, j);
  for (const auto* rows : {&chapter.endPairBefore1, &chapter.endPairBefore2}) {
    for (int e = 0; e < m; ++e) {
      out.PutBitRow((*rows)[e], 0, j);
      out.PutBitRow((*rows)[e], 100, kWideFlagRow);
    }
  }

  for (int l = 0; l < kStoredLetters; ++l) out.PutByte(chapter.minRepeatDistance[l]);
  for (int l = 0; l < kStoredLetters; ++l) out.PutByte(chapter.maxLetterPercent[l]);
  out.PutRaw(kEndMark);

  // A chapter too large for the format is not cached at all rather than
  // cached with clipped codes or counts.
  if (!out.faithful()) return {};
  return std::move(out.bytes());
}

bool ReadCompiledChapter(ChapterTables& chapter, std::string_view bytes) {
  if (!IsCompiledChapter(bytes) || bytes[2] != kFormat) return false;
  ByteReader in(bytes);
  in.GetRaw(3);
  in.GetText();  // the version text is not examined

  chapter.title = in.GetText();
  chapter.line1 = in.GetText();
  chapter.line2 = in.GetText();
  chapter.author = in.GetText();
  chapter.topic = in.GetText();
  int options = in.GetByte();
  chapter.structGen = options & kStructGen;
  chapter.statGen = options & kStatGen;
  chapter.shuffle = options & kShuffle;
  chapter.prefixOption = options & kPrefix;
  chapter.suffixOption = options & kSuffix;
  chapter.fitLevel = DigitOption(in.GetByte());
  chapter.valLevel = DigitOption(in.GetByte());
  chapter.punctLevel = in.GetByte();
  chapter.yMode = in.GetByte();
  chapter.uMode = in.GetByte();
  chapter.initialLetters = in.GetText();
  chapter.nameCount = in.GetU16();
  if (!in.ok() || chapter.punctLevel > 7 || chapter.yMode > 2 ||
      (chapter.uMode != 0 && chapter.uMode != 2)) {
    return false;
  }

  chapter.pairCapacity = std::max(3 * chapter.nameCount, 256);
  ClearStatistics(chapter);

  const int k = in.GetByte();
  chapter.maxElements = k;
  int templateCount = in.GetByte();
  if (templateCount == 0) templateCount = kMaxTemplates;
  if (!in.ok() || k > kMaxStructureElements ||
      in.remaining() < static_cast<std::size_t>(templateCount) * 2) {
    return false;
  }
  chapter.templateCount = templateCount;
  chapter.templates.resize(templateCount);
  chapter.templateWeights.resize(templateCount);
  for (int t = 0; t < templateCount; ++t) {
    chapter.templates[t] = in.GetText();
    int weight = in.GetByte();
    chapter.templateWeights[t] = weight == 0 ? 256 : weight;
  }

  const int j = in.GetByte();
  if (!in.ok() || j > kMaxVowelElements || in.remaining() < static_cast<std::size_t>(j)) {
    return false;
  }
  chapter.vowelElementCount = j;
  chapter.vowelElements.resize(j);
  for (auto& element : chapter.vowelElements) {
    element = in.GetText();
    if (in.ok() && !PlausibleVowelElement(element)) return false;
  }
  GetPositions(in, chapter.vowelPositionCounts, j, k);

  const int i = in.GetU16();
  if (!in.ok() || i > kMaxConsonantElements || in.remaining() < static_cast<std::size_t>(i)) {
    return false;
  }
  chapter.consonantElementCount = i;
  chapter.consonantElements.resize(i);
  for (auto& element : chapter.consonantElements) {
    element = in.GetText();
    if (in.ok() && !PlausibleConsonantElement(element)) return false;
  }
  GetPositions(in, chapter.consonantPositionCounts, i, k);

  const int specials = in.GetByte();
  if (!in.ok() || specials > kMaxSpecialConsonants) return false;
  chapter.specialConsonantCount = specials;
  for (int s = 0; s < specials; ++s) chapter.specialConsonants[s] = in.GetText();

  if (!GetPairList(in, chapter.startPairs, chapter.startPairWeights, chapter.startPairCount, j,
                   i) ||
      !GetPairList(in, chapter.endPairs, chapter.endPairWeights, chapter.endPairCount, j, i)) {
    return false;
  }
  const int m = chapter.endPairCount;

  const int typeCount = in.GetByte();
  if (!in.ok() || typeCount < 1 || typeCount > kStructureTypes) return false;
  for (int t = 0; t < typeCount; ++t) chapter.structureTypeCounts[t] = in.GetU16();
  std::size_t variantTotal = 0;
  for (int t = 0; t < typeCount; ++t) {
    int variants = in.GetU16();
    chapter.structureVariantCounts[t] = variants;
    variantTotal += static_cast<std::size_t>(variants);
  }
  // Each variant takes two weight bytes and at least two text bytes.
  if (!in.ok() || in.remaining() < variantTotal * 4) return false;
  for (int t = 0; t < typeCount; ++t) {
    auto& weights = chapter.structureVariantWeights[t];
    weights.resize(chapter.structureVariantCounts[t]);
    long total = 0;
    for (int& weight : weights) {
      weight = in.GetU16();
      total += weight;
    }
    // A type is drawn by its count and then one of its variants by weight:
    // the two must agree or the draw would fall off the list.
    if (total != chapter.structureTypeCounts[t]) return false;
  }
  for (int t = 0; t < typeCount; ++t) {
    auto& variants = chapter.structureVariants[t];
    variants.resize(chapter.structureVariantCounts[t]);
    for (auto& variant : variants) {
      variant = in.GetText();
      if (in.ok() && static_cast<int>(variant.size()) != VariantLength(t)) return false;
    }
  }

  for (int v = 0; v < j; ++v) in.GetBitRow(chapter.vowelAfterConsonant[v], 0, kWideFlagRow);
  for (auto& row : chapter.consonantAfterVowel) in.GetBitRow(row, 0, j);
  for (auto& row : chapter.consonantAcrossVowel) in.GetBitRow(row, 0, kWideFlagRow);
  for (int v = 0; v < j; ++v) in.GetBitRow(chapter.vowelAcrossConsonant[v], 0, j);
  const std::size_t endPairRow = static_cast<std::size_t>((j + 7) / 8 + kWideFlagRow / 8);
  if (!in.ok() || in.remaining() < 2 * endPairRow * static_cast<std::size_t>(m)) return false;
  for (auto* rows : {&chapter.endPairBefore1, &chapter.endPairBefore2}) {
    rows->resize(m);
    for (auto& row : *rows) {
      row.fill(0);
      in.GetBitRow(row, 0, j);
      in.GetBitRow(row, 100, kWideFlagRow);
    }
  }

  for (int l = 0; l < kStoredLetters; ++l) chapter.minRepeatDistance[l] = in.GetByte();
  for (int l = 0; l < kStoredLetters; ++l) chapter.maxLetterPercent[l] = in.GetByte();
  // ClearStatistics left the hyphen as a letter that never repeats or occurs.
  FitPairCapacity(chapter);
  return in.GetRaw(kEndMark.size()) == kEndMark && in.ok();
}

bool SaveCompiledChapter(const std::string& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (bytes.empty()) {
    // The chapter could not be cached: do not leave an older compiled
    // chapter standing in for it.
    fs::remove(path, error);
    return false;
  }
  // Replaced whole, so that a reader only ever finds a complete compiled
  // chapter or none.
  return ReplaceFile(path, bytes).written;
}

}  // namespace vael
