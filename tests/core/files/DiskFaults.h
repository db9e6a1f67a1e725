#pragma once
// A disk that reports a failure only when the file is synced or closed, as
// one does for writes it had delayed. This test program's own fsync and
// close stand in for the system's, and fail once when told to.

#include <string>

namespace vael::test {

enum class DiskCall { Sync, Close };

// The next `call` on a file below folder fails with error; a close still
// closes the file, as the system's does. Until then every call goes through.
void FailNext(DiskCall call, const std::string& folder, int error);

// Forgets a failure that no call took; true when there was none left.
bool NoFailureLeft();

}  // namespace vael::test
