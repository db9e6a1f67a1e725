#pragma once
// How the interface fails: every entry point returns a code and leaves the
// reason in its thread's last error, and nothing thrown inside the engine
// gets past it.

#include <exception>
#include <new>
#include <string>

#include "vael/vael.h"

namespace vael::capi {

// Records text (UTF-8) as this thread's last failure and returns code.
int Fail(int code, const std::string& text);

// Runs body, which returns a code; an exception becomes VAEL_E_MEMORY or
// VAEL_E_INTERNAL with its text, so that none leaves the interface.
template <typename Body>
int Guarded(const char* call, Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return Fail(VAEL_E_MEMORY, std::string(call) + ": out of memory");
  } catch (const std::exception& error) {
    return Fail(VAEL_E_INTERNAL, std::string(call) + ": " + error.what());
  } catch (...) {
    return Fail(VAEL_E_INTERNAL, std::string(call) + ": an unexpected failure");
  }
}

// VAEL_E_ARGUMENT for a null pointer argument, named in the message.
int NullArgument(const char* call, const char* argument);

// VAEL_E_ARGUMENT unless a struct's size field (what: its type's name) is
// this version's sizeof: later versions may add fields at the end, and a
// size this version does not know cannot be read safely.
int CheckSize(const char* call, const char* what, int size, std::size_t expected);

// Copies text and its NUL into a caller's buffer, or says how much it needs.
int CopyOut(const char* call, const std::string& text, char* buffer, std::size_t size,
            std::size_t* length);

}  // namespace vael::capi
