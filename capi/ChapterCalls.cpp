// The chapter entry points: loading, header texts, recommended options.

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "capi/Failure.h"
#include "capi/Handles.h"
#include "capi/Options.h"
#include "core/Version.h"
#include "core/chapter/CaseMapping.h"
#include "core/chapter/ChapterLoader.h"
#include "core/chapter/CodePage.h"
#include "core/chapter/LoadFailure.h"
#include "core/chapter/TextFile.h"

namespace vael::capi {
namespace {

// The handle of a loaded chapter, its texts in UTF-8. A list's names are
// its samples; a chapter's are read from its bytes.
std::unique_ptr<vael_chapter> Handle(std::shared_ptr<const Chapter> chapter, const PlainList& list,
                                     std::string_view bytes) {
  auto handle = std::make_unique<vael_chapter>();
  const Chapter& c = *chapter;
  const std::string* texts[] = {&c.title, &c.line1, &c.line2,         &c.author,
                                &c.date,  &c.topic, &c.initialLetters};
  for (std::size_t i = 0; i < handle->texts.size(); ++i) {
    handle->texts[i] = Utf8FromWindows1252(*texts[i]);
  }
  auto samples = std::make_shared<std::vector<std::string>>();
  bool known = true;
  if (!list.names.empty()) {
    for (const std::string& name : list.names) samples->push_back(ToUpper(name));
  } else {
    known = SampleNamesOf(bytes, *samples);
  }
  if (known) handle->samples = std::move(samples);
  handle->leftOut = list.refusedCount;
  handle->chapter = std::move(chapter);
  return handle;
}

int Loaded(const char* call, std::shared_ptr<const Chapter> chapter, const PlainList& list,
           std::string_view bytes, const std::string& failure, vael_chapter** out) {
  if (!chapter->loaded) return Fail(VAEL_E_LOAD, std::string(call) + ": " + failure);
  *out = Handle(std::move(chapter), list, bytes).release();
  return VAEL_OK;
}

}  // namespace
}  // namespace vael::capi

using namespace vael::capi;

extern "C" {

const char* vael_version(void) {
  // "3.3.0": the full version, where the window shows "Vaelorn 3.3".
  return vael::kFullVersion;
}

int vael_chapter_open(const char* path, vael_chapter** out) {
  constexpr const char* call = "vael_chapter_open";
  return Guarded(call, [&] {
    if (out == nullptr) return NullArgument(call, "out");
    *out = nullptr;
    if (path == nullptr) return NullArgument(call, "path");
    // Read once, so that the samples come from the very bytes loaded; a
    // compiled chapter beside a text chapter is neither read nor written.
    std::string bytes;
    if (!vael::ReadChapterFile(path, bytes)) {
      return Fail(VAEL_E_LOAD,
                  std::string(call) + ": " + path + ": " + vael::ReadFailureText(path));
    }
    vael::PlainList list;
    auto chapter = vael::OpenChapterBytes(bytes, path, &list);
    const std::string failure =
        chapter->loaded ? std::string() : vael::LoadFailureText(path, bytes, *chapter);
    return Loaded(call, std::move(chapter), list, bytes, failure, out);
  });
}

int vael_chapter_from_memory(const void* bytes, size_t size, const char* file_name,
                             vael_chapter** out) {
  constexpr const char* call = "vael_chapter_from_memory";
  return Guarded(call, [&] {
    if (out == nullptr) return NullArgument(call, "out");
    *out = nullptr;
    if (bytes == nullptr && size != 0) return NullArgument(call, "bytes");
    if (file_name == nullptr) return NullArgument(call, "file_name");
    const std::string_view view(static_cast<const char*>(bytes), size);
    vael::PlainList list;
    auto chapter = vael::OpenChapterBytes(view, file_name, &list);
    const std::string failure =
        chapter->loaded ? std::string() : vael::LoadFailureText(file_name, view, *chapter);
    return Loaded(call, std::move(chapter), list, view, failure, out);
  });
}

int vael_chapter_from_names(const char* const* names, size_t count, const char* title,
                            vael_chapter** out) {
  constexpr const char* call = "vael_chapter_from_names";
  return Guarded(call, [&] {
    if (out == nullptr) return NullArgument(call, "out");
    *out = nullptr;
    if (names == nullptr && count != 0) return NullArgument(call, "names");
    // The names as the lines of a list; a name that holds a line break
    // would be two names of it.
    std::string lines;
    for (size_t i = 0; i < count; ++i) {
      if (names[i] == nullptr)
        return Fail(VAEL_E_ARGUMENT,
                    std::string(call) + ": names[" + std::to_string(i) + "] is NULL");
      if (std::strpbrk(names[i], "\r\n") != nullptr) {
        return Fail(VAEL_E_ARGUMENT,
                    std::string(call) + ": names[" + std::to_string(i) + "] holds a line break");
      }
      // The list is read in one encoding throughout: a name in another
      // would have every other name read wrongly.
      if (vael::DecodeText(names[i], vael::TextEncoding::Utf8).fault ==
          vael::TextFault::InvalidUtf8) {
        return Fail(VAEL_E_ARGUMENT,
                    std::string(call) + ": names[" + std::to_string(i) + "] is not UTF-8 text");
      }
      lines += names[i];
      lines += '\n';
    }
    std::string codePageTitle;
    if (title != nullptr && *title != '\0') {
      const vael::CodePageText decoded = vael::ReadTextFile(title);
      if (decoded.fault != vael::TextFault::None) {
        return Fail(VAEL_E_ARGUMENT, std::string(call) +
                                         ": the title cannot be written in a chapter: " +
                                         vael::Utf8FromWindows1252(vael::TextFaultText(decoded)));
      }
      codePageTitle = decoded.text;
    }
    vael::PlainList list;
    auto chapter = vael::OpenNameList(lines, "names.txt", codePageTitle, &list);
    const std::string failure = chapter->loaded ? std::string() : chapter->ErrorTextUtf8();
    return Loaded(call, std::move(chapter), list, lines, failure, out);
  });
}

void vael_chapter_free(vael_chapter* chapter) { delete chapter; }

const char* vael_chapter_title(const vael_chapter* chapter) {
  return chapter != nullptr ? chapter->texts[VAEL_TEXT_TITLE].c_str() : "";
}

const char* vael_chapter_text(const vael_chapter* chapter, int which) {
  if (chapter == nullptr || which < 0 || which >= static_cast<int>(chapter->texts.size())) {
    return nullptr;
  }
  return chapter->texts[static_cast<std::size_t>(which)].c_str();
}

size_t vael_chapter_left_out(const vael_chapter* chapter) {
  return chapter != nullptr ? chapter->leftOut : 0;
}

int vael_chapter_options(const vael_chapter* chapter, vael_options* out) {
  constexpr const char* call = "vael_chapter_options";
  return Guarded(call, [&] {
    if (chapter == nullptr) return NullArgument(call, "chapter");
    vael::GenerationOptions request;
    if (int status = RequestFromOptions(call, *chapter->chapter, nullptr, request)) return status;
    return OptionsFromRequest(call, request, out);
  });
}

int vael_options_resolve(const vael_chapter* chapter, vael_options* options) {
  constexpr const char* call = "vael_options_resolve";
  return Guarded(call, [&] {
    if (chapter == nullptr) return NullArgument(call, "chapter");
    if (options == nullptr) return NullArgument(call, "options");
    vael::GenerationOptions request;
    if (int status = RequestFromOptions(call, *chapter->chapter, options, request)) return status;
    return OptionsFromRequest(call, request, options);
  });
}

}  // extern "C"
