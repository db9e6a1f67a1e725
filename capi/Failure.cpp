#include "capi/Failure.h"

#include <cstring>

namespace vael::capi {
namespace {

// Only failures are recorded: a call that succeeds leaves the last failure
// as it was, for a caller that asks later.
thread_local std::string lastError;

}  // namespace

int Fail(int code, const std::string& text) {
  try {
    lastError = text;
  } catch (...) {
    // No room even for the message: the code still tells.
    lastError.clear();
  }
  return code;
}

int NullArgument(const char* call, const char* argument) {
  return Fail(VAEL_E_ARGUMENT, std::string(call) + ": " + argument + " is NULL");
}

int CheckSize(const char* call, const char* what, int size, std::size_t expected) {
  if (size == static_cast<int>(expected)) return VAEL_OK;
  return Fail(VAEL_E_ARGUMENT, std::string(call) + ": " + what + "->size is " +
                                   std::to_string(size) + "; set it to sizeof(" + what + "), " +
                                   std::to_string(expected));
}

int CopyOut(const char* call, const std::string& text, char* buffer, std::size_t size,
            std::size_t* length) {
  if (length != nullptr) *length = text.size();
  if (buffer == nullptr && size != 0) return NullArgument(call, "buffer");
  if (size <= text.size()) {
    return Fail(VAEL_E_SPACE, std::string(call) + ": the buffer holds " + std::to_string(size) +
                                  " bytes; " + std::to_string(text.size() + 1) + " are needed");
  }
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return VAEL_OK;
}

}  // namespace vael::capi

extern "C" const char* vael_last_error(void) { return vael::capi::lastError.c_str(); }
