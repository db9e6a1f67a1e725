#include "core/analysis/Request.h"

#include "core/analysis/SettingFigures.h"
#include "core/chapter/CaseMapping.h"
#include "core/chapter/CodePage.h"

namespace vael {

GenerationOptions RequestFor(const ChapterTables& chapter, const SettingChoices& choices,
                             char initialLetter) {
  GenerationOptions request = RecommendedSetting(chapter);
  request.fit = choices.fit.value_or(request.fit);
  request.val = choices.val.value_or(request.val);
  request.structural = choices.structural.value_or(request.structural);
  request.statistical = choices.statistical.value_or(request.statistical);
  request.prefixes = choices.prefixes.value_or(request.prefixes);
  request.suffixes = choices.suffixes.value_or(request.suffixes);
  request.initialLetter = initialLetter;
  return request;
}

std::optional<char> InitialLetterFor(const ChapterTables& chapter, std::string_view asked) {
  if (asked.empty() || asked == "*") return '*';
  std::optional<char> letter = Windows1252CharFromUtf8(asked);
  if (!letter) return std::nullopt;
  letter = ToUpperChar(*letter);
  if (chapter.initialLetters.find(*letter) == std::string::npos) return std::nullopt;
  return letter;
}

}  // namespace vael
