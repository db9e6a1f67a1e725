// The generator entry points: names one at a time or many at once, the log
// of a name, starting over.

#include <cstring>
#include <memory>
#include <string>

#include "capi/Failure.h"
#include "capi/Handles.h"
#include "capi/Options.h"
#include "core/chapter/CodePage.h"
#include "core/generation/GenerationLog.h"
#include "core/generation/GenerationState.h"

namespace vael::capi {
namespace {

// Makes the next name into g->pending, unless one is waiting there already.
void MakePending(vael_generator& g, bool logged) {
  if (g.hasPending) return;
  g.pending.clear();
  if (logged) {
    vael::GenerationOptions request = g.request;
    request.log = true;
    vael::LogText log;
    vael::AppendUtf8FromWindows1252(g.pending, g.generator.Next(request, &log));
    g.pendingLog = vael::Utf8FromWindows1252(log.text());
  } else {
    vael::AppendUtf8FromWindows1252(g.pending, g.generator.Next(g.request));
  }
  g.hasPending = true;
  g.pendingLogged = logged;
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
    MakePending(*g, logged);
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
    *out = new vael_generator(vael::Generator(chapter->chapter, seed), request);
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
      MakePending(*g, false);
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
    return VAEL_OK;
  });
}

void vael_generator_free(vael_generator* g) { delete g; }

uint32_t vael_clock_seed(void) { return vael::ClockSeed(); }

}  // extern "C"
