#include "core/chapter/ElementLookup.h"

#include <algorithm>

#include "core/chapter/CaseMapping.h"
#include "core/chapter/LetterClasses.h"
#include "core/chapter/ChapterTables.h"

namespace vael {

std::string_view ElementText(const ChapterTables& chapter, int code) {
  if (code < 0) return {};
  if (!IsConsonantCode(code)) {
    if (code < chapter.vowelElementCount && code < static_cast<int>(chapter.vowelElements.size())) {
      return chapter.vowelElements[code];
    }
    return {};
  }
  const int index = code - kFirstConsonantCode;
  if (index < chapter.consonantElementCount &&
      index < static_cast<int>(chapter.consonantElements.size())) {
    return chapter.consonantElements[index];
  }
  return {};
}

std::string ExpandedText(const ChapterTables& chapter, std::string_view text) {
  std::string expanded;
  expanded.reserve(text.size() + 4);
  for (char c : text) {
    const int digit = c - '0';
    if (digit >= 0 && digit < chapter.specialConsonantCount && digit < kMaxSpecialConsonants) {
      expanded += chapter.specialConsonants[digit];
    } else {
      expanded += c;
    }
  }
  return expanded;
}

namespace {

// The small consonants that stand for a consonant followed by H.
constexpr std::string_view kSoftConsonants = "bcdfghjklmnpqrstvwxz\xE7\xF0\xF1\xFE\x9A";

void ReplaceAll(std::string& text, char from, std::string_view to) {
  if (text.find(from) == std::string::npos) return;
  std::string out;
  out.reserve(text.size() + to.size() * 2);
  for (char c : text) {
    if (c == from)
      out += to;
    else
      out += c;
  }
  text = std::move(out);
}

}  // namespace

std::string FinishedText(const ChapterTables& chapter, std::string_view text) {
  std::string piece(text);
  const int specials = std::min(chapter.specialConsonantCount, kMaxSpecialConsonants);
  for (int i = 0; i < specials; ++i) {
    ReplaceAll(piece, static_cast<char>('0' + i), chapter.specialConsonants[i]);
  }
  // Every soft consonant the analysis can code, the accented ones included,
  // gets its H back; otherwise a sample's CH with a cedilla would come out
  // without the H.
  for (char soft : kSoftConsonants) {
    const char written[] = {ToUpperChar(soft), 'H'};
    ReplaceAll(piece, soft, std::string_view(written, 2));
  }
  return ToUpper(piece);
}

int PositionCount(const ChapterTables& chapter, int code, int slot) {
  if (slot < 0 || slot >= kPositionSlots || code < 0) return 0;
  if (!IsConsonantCode(code)) {
    return code < kVowelRows ? chapter.vowelPositionCounts[code][slot] : 0;
  }
  const int row = code - kFirstConsonantCode;
  return row < kConsonantRows ? chapter.consonantPositionCounts[row][slot] : 0;
}

int FirstLetterIndex(const ChapterTables& chapter, int code) {
  const std::string_view text = ElementText(chapter, code);
  return text.empty() ? -1 : ConsonantIndex(text.front());
}

int LastLetterIndex(const ChapterTables& chapter, int code) {
  const std::string_view text = ElementText(chapter, code);
  return text.empty() ? -1 : ConsonantIndex(text.back());
}

bool IsMultiVowel(const ChapterTables& chapter, int code) {
  if (IsConsonantCode(code)) return false;
  const std::string_view text = ElementText(chapter, code);
  return text.size() == 3 && IsConsonant(text[1]);
}

char VariantDigit(const ChapterTables& chapter, int code) {
  if (IsMultiVowel(chapter, code)) return '0';
  const std::string_view text = ElementText(chapter, code);
  const std::size_t length =
      IsConsonantCode(code) ? ExpandedText(chapter, text).size() : text.size();
  // Variant texts show longer elements at the longest length a byte holds.
  constexpr std::size_t kLongestShown = 0xFF - '0';
  return static_cast<char>('0' + std::min(length, kLongestShown));
}

}  // namespace vael
