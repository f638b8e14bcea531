#include "platform/service_signals.h"

namespace quellix::platform {

std::int64_t MillisecondsToNextSecond(std::int64_t nowMilliseconds) {
    const std::int64_t intoSecond = ((nowMilliseconds % 1000) + 1000) % 1000;
    // One millisecond past the boundary, so that the clock read after waking is in the new second.
    return 1000 - intoSecond + 1;
}

}  // namespace quellix::platform
