#include "capi/Options.h"

#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "capi/Failure.h"
#include "core/analysis/Request.h"
#include "core/chapter/CodePage.h"
#include "core/chapter/TextFile.h"

namespace vael::capi {
namespace {

int CheckRange(const char* call, const char* field, int value, int low, int high) {
  if ((value >= low && value <= high) || value == VAEL_OWN) return VAEL_OK;
  return Fail(VAEL_E_ARGUMENT, std::string(call) + ": options." + field + " is " +
                                   std::to_string(value) + "; it takes " + std::to_string(low) +
                                   " to " + std::to_string(high) + ", or VAEL_OWN");
}

}  // namespace

int RequestFromOptions(const char* call, const Chapter& chapter, const vael_options* options,
                       GenerationOptions& request) {
  if (options == nullptr) {
    request = RequestFor(chapter, SettingChoices{});
    return VAEL_OK;
  }
  if (int status = CheckSize(call, "vael_options", options->size, sizeof(vael_options)))
    return status;
  struct Field {
    const char* name;
    int value, low, high;
  };
  const Field fields[] = {{"fit", options->fit, 0, 3},
                          {"statistical", options->statistical, 0, 1},
                          {"structural", options->structural, 0, 1},
                          {"prefixes", options->prefixes, 0, 1},
                          {"suffixes", options->suffixes, 0, 1},
                          {"val", options->val, 0, 9}};
  for (const Field& field : fields) {
    if (int status = CheckRange(call, field.name, field.value, field.low, field.high))
      return status;
  }
  const void* end = std::memchr(options->initial, '\0', sizeof options->initial);
  if (end == nullptr) {
    return Fail(VAEL_E_ARGUMENT, std::string(call) + ": options.initial is not NUL-terminated");
  }
  const std::string_view initial(options->initial,
                                 static_cast<const char*>(end) - options->initial);
  const std::optional<char> letter = InitialLetterFor(chapter, initial);
  if (!letter) {
    // The message is UTF-8 whatever was asked: bytes that are not UTF-8 are
    // shown as the code page reads them, as a lone one is taken.
    const bool utf8 = DecodeText(initial, TextEncoding::Utf8).fault != TextFault::InvalidUtf8;
    return Fail(VAEL_E_OPTION, std::string(call) + ": no sample name of this chapter begins with " +
                                   (utf8 ? std::string(initial) : Utf8FromWindows1252(initial)) +
                                   " (try one of " +
                                   Utf8FromWindows1252(chapter.initialLetters) + ")");
  }
  auto given = [](int value) -> std::optional<int> {
    if (value == VAEL_OWN) return std::nullopt;
    return value;
  };
  auto on = [](int value) -> std::optional<bool> {
    if (value == VAEL_OWN) return std::nullopt;
    return value != 0;
  };
  SettingChoices choices;
  choices.fit = given(options->fit);
  choices.val = given(options->val);
  choices.statistical = on(options->statistical);
  choices.structural = on(options->structural);
  choices.prefixes = on(options->prefixes);
  choices.suffixes = on(options->suffixes);
  request = RequestFor(chapter, choices, *letter);
  return VAEL_OK;
}

int OptionsFromRequest(const char* call, const GenerationOptions& request, vael_options* out) {
  if (out == nullptr) return NullArgument(call, "out");
  if (int status = CheckSize(call, "vael_options", out->size, sizeof(vael_options))) return status;
  out->fit = request.fit;
  out->statistical = request.statistical;
  out->structural = request.structural;
  out->prefixes = request.prefixes;
  out->suffixes = request.suffixes;
  out->val = request.val;
  std::memset(out->initial, 0, sizeof out->initial);
  if (request.initialLetter != '*') {
    const std::string letter = Utf8FromWindows1252(std::string_view(&request.initialLetter, 1));
    std::memcpy(out->initial, letter.data(), letter.size());  // at most 3 bytes
  }
  return VAEL_OK;
}

}  // namespace vael::capi
