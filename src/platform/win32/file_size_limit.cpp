#include "platform/file_size_limit.h"

namespace quellix::platform {

// Windows has no per-process file size limit and no signal for passing one: a write past what the
// volume takes simply fails (ERROR_DISK_FULL, ERROR_FILE_TOO_LARGE), as the callers expect.
void TreatFileSizeLimitAsWriteFailure() {}

}  // namespace quellix::platform
