#include "catalogue/Catalogue.h"

namespace vael {

std::string ReadBookLine(const std::string& data, std::size_t& position) {
  std::string line;
  std::size_t at = position;
  // Only CR ends a line; the LF after it is skipped blindly with the CR.
  while (at < data.size() && data[at] != '\r') line += data[at++];
  position = at + 2;
  return line;
}

}  // namespace vael
