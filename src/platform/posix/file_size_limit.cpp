#include "platform/file_size_limit.h"

#include <signal.h>

namespace quellix::platform {

void TreatFileSizeLimitAsWriteFailure() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, nullptr);
}

}  // namespace quellix::platform
