#pragma once
// The one way Vael writes a file: its whole content is replaced, or it is
// left as it was.

#include <string>
#include <string_view>

namespace vael {

struct FileWriteResult {
  bool written = false;
  // Why the file was not written, in words for the user ("the disk is
  // full"); empty when it was.
  std::string reason;
};

// Makes the file at path (in the file system's own encoding) hold exactly
// bytes. Links are followed to the file they name, which keeps its
// permission bits and, where the process may keep it, its owner. A regular
// file is written as a new file beside it that replaces it only when every
// byte is on the disk, so a failure leaves the old content intact. Devices
// and pipes are written into. Where the folder takes no new file but the
// file itself may be written, it is written in place: the one case where a
// failure can leave it damaged, which the reason then says.
FileWriteResult ReplaceFile(const std::string& path, std::string_view bytes);

// Why writing into an open file failed, for the errno value error, in the
// words ReplaceFile gives its reasons ("the disk is full").
std::string WriteErrorText(int error);

}  // namespace vael
