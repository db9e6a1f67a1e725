#include "core/chapter/CaseMapping.h"

#include <array>

namespace vael {
namespace {

constexpr char kCapitals[] = "\xC4\xCB\xCF\xD6\xDC\x9F\xC1\xC9\xCD\xD3\xDA\xDD\xC2\xCA\xCE\xD4\xDB\xC0\xC8\xCC\xD2\xD9\xC3\xD5\xC5\xC6\xD8\x8C\xC7\xD0\xD1\xDE\x8A";
constexpr char kSmall[] = "\xE4\xEB\xEF\xF6\xFC\xFF\xE1\xE9\xED\xF3\xFA\xFD\xE2\xEA\xEE\xF4\xFB\xE0\xE8\xEC\xF2\xF9\xE3\xF5\xE5\xE6\xF8\x9C\xE7\xF0\xF1\xFE\x9A";
static_assert(sizeof(kCapitals) == 34 && sizeof(kSmall) == 34);

struct CaseTables {
  std::array<char, 256> upper{};
  std::array<char, 256> lower{};
  CaseTables() {
    for (int b = 0; b < 256; ++b) {
      upper[b] = lower[b] = static_cast<char>(b);
    }
    for (int b = 'a'; b <= 'z'; ++b) {
      upper[b] = static_cast<char>(b - 'a' + 'A');
      lower[b - 'a' + 'A'] = static_cast<char>(b);
    }
    for (int i = 0; i < 33; ++i) {
      upper[static_cast<unsigned char>(kSmall[i])] = kCapitals[i];
      lower[static_cast<unsigned char>(kCapitals[i])] = kSmall[i];
    }
  }
};

const CaseTables& Tables() {
  static const CaseTables tables;
  return tables;
}

}  // namespace

const std::string_view accentedCapitals(kCapitals, 33);
const std::string_view accentedSmallLetters(kSmall, 33);

char ToUpperChar(char c) { return Tables().upper[static_cast<unsigned char>(c)]; }

char ToLowerChar(char c) { return Tables().lower[static_cast<unsigned char>(c)]; }

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToUpperChar(c);
  return out;
}

std::string ToLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToLowerChar(c);
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToUpperChar(a[i]) != ToUpperChar(b[i])) return false;
  }
  return true;
}

}  // namespace vael
