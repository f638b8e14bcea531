#pragma once

#include <cstdint>

namespace quellix {

// What the scheduler keeps in memory between ticks; never written to the configuration.
struct SchedulerState {
    std::int16_t UpdateCountdown = 0;
    // yyyymmdd of the last scheduled purge since launch; 0 before the first one.
    std::int32_t LastPurgeDay = 0;
    std::int16_t HourglassFrame = 0;
};

}  // namespace quellix
