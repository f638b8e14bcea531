#pragma once

namespace quellix::platform {

// Makes a write past the file size limit (ulimit -f) fail with EFBIG, as a full disk does,
// instead of ending the process by SIGXFSZ in the middle of a purge. Call once at start.
void TreatFileSizeLimitAsWriteFailure();

}  // namespace quellix::platform
