// The generator entry points: names one at a time or many at once, the log
// of a name, starting over.

#include <cstring>
#include <memory>
#include <string>

#include "capi/Failure.h"
#include "capi/Filters.h"
#include "capi/Handles.h"
#include "capi/Options.h"
#include "core/chapter/CodePage.h"
#include "core/generation/GenerationLog.h"
#include "core/filters/FilteredRun.h"
#include "core/generation/GenerationState.h"

namespace vael::capi {
namespace {

// Makes the next name into g->pending, unless one is waiting there already.
// With filters it is the next name that passes them, made by the one
// bounded filtered run that vaelgen's names go through; VAEL_E_EXHAUSTED
// when that run gives up.
int MakePending(const char* call, vael_generator& g, bool logged) {
  if (g.hasPending) return VAEL_OK;
  vael::GenerationOptions request = g.request;
  request.log = logged;
  vael::LogText log;
  auto take = [&](std::string_view name) {
    g.pendingName = name;
    g.pending.clear();
    vael::AppendUtf8FromWindows1252(g.pending, name);
    if (logged) g.pendingLog = vael::Utf8FromWindows1252(log.text());
    return false;  // one name is all a call hands over
  };
  if (g.filter == nullptr) {
    take(g.generator.Next(request, logged ? &log : nullptr));
  } else {
    const FilteredRun run = FilterNames(
        1, *g.filter,
        [&](std::int64_t count, const NameSink& each) {
          for (std::int64_t i = 0; i < count; ++i) {
            if (logged) log = vael::LogText();  // the log of the name that passes, alone
            if (!each(g.generator.Next(request, logged ? &log : nullptr))) return;
          }
        },
        take);
    if (run.passed == 0) {
      return Fail(VAEL_E_EXHAUSTED, std::string(call) + ": none of the last " +
                                        std::to_string(kMaxTriesWithoutName) +
                                        " names made passed the filters");
    }
  }
  g.hasPending = true;
  g.pendingLogged = logged;
  return VAEL_OK;
}

// The filter the options ask for, or null for none; VAEL_E_OPTION when no
// name of the chapter can pass it.
int BuildFilter(const char* call, vael_generator& g, const FilterOptions& options,
                std::unique_ptr<NameFilter>& filter) {
  filter.reset();
  if (!HasFilters(options)) return VAEL_OK;
  static const std::vector<std::string> kNoSamples;
  filter = std::make_unique<NameFilter>(g.generator.chapter(), options,
                                        g.chapterSamples ? *g.chapterSamples : kNoSamples,
                                        g.request.initialLetter);
  if (!filter->Impossible().empty()) {
    const std::string why = Utf8FromWindows1252(filter->Impossible());
    filter.reset();
    return Fail(VAEL_E_OPTION, std::string(call) + ": " + why);
  }
  return VAEL_OK;
}

// Hands the pending name over to the caller's buffer, or keeps it.
int HandOver(const char* call, vael_generator& g, char* buffer, std::size_t size,
             std::size_t* length) {
  if (int status = CopyOut(call, g.pending, buffer, size, length)) return status;
  g.hasPending = false;
  if (g.pendingLogged) g.log = std::move(g.pendingLog);
  return VAEL_OK;
}

int NextName(const char* call, vael_generator* g, char* buffer, std::size_t size,
             std::size_t* length, bool logged) {
  return Guarded(call, [&] {
    if (length != nullptr) *length = 0;
    if (g == nullptr) return NullArgument(call, "generator");
    if (buffer == nullptr && size != 0) return NullArgument(call, "buffer");
    if (int status = MakePending(call, *g, logged)) return status;
    return HandOver(call, *g, buffer, size, length);
  });
}

}  // namespace
}  // namespace vael::capi

using namespace vael::capi;

extern "C" {

int vael_generator_new(const vael_chapter* chapter, const vael_options* options, uint32_t seed,
                       vael_generator** out) {
  constexpr const char* call = "vael_generator_new";
  return Guarded(call, [&] {
    if (out == nullptr) return NullArgument(call, "out");
    *out = nullptr;
    if (chapter == nullptr) return NullArgument(call, "chapter");
    vael::GenerationOptions request;
    if (int status = RequestFromOptions(call, *chapter->chapter, options, request)) return status;
    *out = new vael_generator(vael::Generator(chapter->chapter, seed), request, chapter->samples);
    return VAEL_OK;
  });
}

int vael_generator_next(vael_generator* g, char* buffer, size_t size, size_t* length) {
  return NextName("vael_generator_next", g, buffer, size, length, false);
}

int vael_generator_next_logged(vael_generator* g, char* buffer, size_t size, size_t* length) {
  return NextName("vael_generator_next_logged", g, buffer, size, length, true);
}

int vael_generator_names(vael_generator* g, size_t count, char* buffer, size_t size, size_t* made,
                         size_t* length) {
  constexpr const char* call = "vael_generator_names";
  return Guarded(call, [&] {
    if (made != nullptr) *made = 0;
    if (length != nullptr) *length = 0;
    if (g == nullptr) return NullArgument(call, "generator");
    if (buffer == nullptr && size != 0) return NullArgument(call, "buffer");
    size_t names = 0, used = 0;
    while (names < count) {
      if (int status = MakePending(call, *g, false)) {
        // The names already written stay the caller's: say how many.
        if (made != nullptr) *made = names;
        if (length != nullptr) *length = used;
        return status;
      }
      if (g->pending.size() >= size - used) break;
      std::memcpy(buffer + used, g->pending.c_str(), g->pending.size() + 1);
      used += g->pending.size() + 1;
      g->hasPending = false;
      if (g->pendingLogged) g->log = std::move(g->pendingLog);
      ++names;
    }
    if (made != nullptr) *made = names;
    if (length != nullptr) *length = used;
    if (names == 0 && count > 0) {
      if (length != nullptr) *length = g->pending.size() + 1;
      return Fail(VAEL_E_SPACE, std::string(call) + ": the buffer holds " + std::to_string(size) +
                                    " bytes; the next name needs " +
                                    std::to_string(g->pending.size() + 1));
    }
    return VAEL_OK;
  });
}

int vael_generator_log(const vael_generator* g, char* buffer, size_t size, size_t* length) {
  constexpr const char* call = "vael_generator_log";
  return Guarded(call, [&] {
    if (length != nullptr) *length = 0;
    if (g == nullptr) return NullArgument(call, "generator");
    return CopyOut(call, g->log, buffer, size, length);
  });
}

int vael_generator_restart(vael_generator* g, uint32_t seed) {
  constexpr const char* call = "vael_generator_restart";
  return Guarded(call, [&] {
    if (g == nullptr) return NullArgument(call, "generator");
    g->generator.Restart(seed);
    g->hasPending = false;
    g->log.clear();
    return BuildFilter(call, *g, g->filterOptions, g->filter);
  });
}

int vael_generator_set_options(vael_generator* g, const vael_options* options) {
  constexpr const char* call = "vael_generator_set_options";
  return Guarded(call, [&] {
    if (g == nullptr) return NullArgument(call, "generator");
    vael::GenerationOptions request;
    if (int status = RequestFromOptions(call, g->generator.chapter(), options, request)) return status;
    if (g->filter != nullptr && request.initialLetter != g->request.initialLetter) {
      // Whether any name can pass the filters depends on the initial letter:
      // checked against the new one. The filter itself stays, so that unique
      // remembers the names it has seen.
      const vael::GenerationOptions old = g->request;
      g->request = request;
      std::unique_ptr<vael::NameFilter> check;
      const int status = BuildFilter(call, *g, g->filterOptions, check);
      g->request = old;
      if (status != VAEL_OK) return status;
    }
    g->request = request;
    g->hasPending = false;
    return VAEL_OK;
  });
}

int vael_generator_set_filters(vael_generator* g, const vael_filters* filters) {
  constexpr const char* call = "vael_generator_set_filters";
  return Guarded(call, [&] {
    if (g == nullptr) return NullArgument(call, "generator");
    vael::FilterOptions options;
    if (filters != nullptr) {
      if (int status = FilterOptionsFrom(call, *filters, options)) return status;
    }
    if (vael::NeedsSamples(options) && g->chapterSamples == nullptr) {
      return Fail(VAEL_E_OPTION, std::string(call) +
                                     ": a compiled chapter keeps no sample names, which no_samples "
                                     "and novel compare with; open the chapter's text or list");
    }
    std::unique_ptr<vael::NameFilter> filter;
    if (int status = BuildFilter(call, *g, options, filter)) return status;
    // A name kept back by VAEL_E_SPACE is still to come: it comes only if
    // it passes these filters, as any name after it.
    if (g->hasPending && filter != nullptr && !filter->Passes(g->pendingName)) g->hasPending = false;
    g->filterOptions = std::move(options);
    g->filter = std::move(filter);
    return VAEL_OK;
  });
}

void vael_generator_free(vael_generator* g) { delete g; }

uint32_t vael_clock_seed(void) { return vael::ClockSeed(); }

}  // extern "C"
