#include "capi/Filters.h"

#include <string>
#include <vector>

#include "capi/Failure.h"
#include "core/chapter/TextFile.h"
#include "core/filters/OffensiveWords.h"
#include "capi/OffensiveWordList.h"

namespace vael::capi {
namespace {

// A text field: NULL or "" asks for nothing, else one UTF-8 text that names
// can hold.
int AddText(const char* call, const char* field, const char* text, std::vector<std::string>& texts) {
  if (text == nullptr || *text == '\0') return VAEL_OK;
  const CodePageText read = DecodeText(text, TextEncoding::Utf8);
  if (read.fault == TextFault::InvalidUtf8) {
    return Fail(VAEL_E_ARGUMENT, std::string(call) + ": filters." + field + " is not UTF-8 text");
  }
  if (read.fault == TextFault::NotInCodePage) {
    return Fail(VAEL_E_ARGUMENT, std::string(call) + ": filters." + field + " \"" + text +
                                     "\": no name can hold " + DescribeCharacter(read.character));
  }
  texts.push_back(read.text);
  return VAEL_OK;
}

int AddWords(const char* call, std::string_view list, std::vector<std::string>& words) {
  PlainList read = ReadWordList(list);
  if (!read.fault.empty()) {
    return Fail(VAEL_E_ARGUMENT, std::string(call) + ": filters.clean_words: " + read.fault);
  }
  words.insert(words.end(), read.names.begin(), read.names.end());
  return VAEL_OK;
}

}  // namespace

int FilterOptionsFrom(const char* call, const vael_filters& filters, FilterOptions& options) {
  if (int status = CheckSize(call, "vael_filters", filters.size, sizeof(vael_filters))) return status;
  if (filters.min_length < 0 || filters.max_length < 0) {
    return Fail(VAEL_E_ARGUMENT, std::string(call) + ": filters." +
                                     (filters.min_length < 0 ? "min_length" : "max_length") +
                                     " is negative; 0 sets no bound");
  }
  options = FilterOptions{};
  options.unique = filters.unique != 0;
  options.minLength = filters.min_length;
  options.maxLength = filters.max_length;
  options.noSamples = filters.no_samples != 0;
  options.novel = filters.novel != 0;
  if (int status = AddText(call, "starts_with", filters.starts_with, options.startsWith)) return status;
  if (int status = AddText(call, "ends_with", filters.ends_with, options.endsWith)) return status;
  if (int status = AddText(call, "contains", filters.contains, options.contains)) return status;
  if (int status = AddText(call, "excludes", filters.excludes, options.excludes)) return status;
  options.clean = filters.clean != 0 || filters.clean_words != nullptr;
  if (options.clean) {
    if (int status = AddWords(call, BuiltInOffensiveWords(), options.cleanWords)) return status;
    if (filters.clean_words != nullptr) {
      if (int status = AddWords(call, filters.clean_words, options.cleanWords)) return status;
    }
  }
  return VAEL_OK;
}

std::string_view BuiltInOffensiveWords() { return kOffensiveWordList; }

}  // namespace vael::capi
