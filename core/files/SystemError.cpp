#include "core/files/SystemError.h"

#include <cctype>
#include <cstring>

namespace vael {

std::string SystemErrorText(int error) {
  // The system's text starts a sentence; here it follows a colon.
  std::string text = std::strerror(error);
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

}  // namespace vael
