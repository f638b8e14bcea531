#pragma once

#include <cstdint>

#include "core/common/front_end.h"
#include "platform/clock.h"

namespace quellix {

// Lets the front end handle waiting events while one folder is walked, so that a folder of many
// thousand files does not freeze the window: every 256 entries, and sooner when entries are slow
// (a cold cache, a spinning disk), as soon as 10 ms have passed since the last time.
class EventPacer {
  public:
    static constexpr std::uint32_t kEntriesBetweenEvents = 256;
    // The clock is asked every few entries only: a count spends some 300 ns per entry.
    static constexpr std::uint32_t kEntriesBetweenClockReads = 4;
    static constexpr std::int64_t kLongestWaitMs = 10;

    EventPacer(FrontEnd& frontEnd, const platform::Clock& clock)
        : frontEnd_(frontEnd), clock_(clock), last_(clock.SteadyMilliseconds()) {}

    // Called before each entry is handled, never in the middle of one.
    void NextEntry() {
        ++entries_;
        if (entries_ % kEntriesBetweenEvents == 0) {
            Process();
        } else if (entries_ % kEntriesBetweenClockReads == 0 &&
                   clock_.SteadyMilliseconds() - last_ >= kLongestWaitMs) {
            Process();
        }
    }

  private:
    void Process() {
        frontEnd_.ProcessPendingEvents();
        last_ = clock_.SteadyMilliseconds();
    }

    FrontEnd& frontEnd_;
    const platform::Clock& clock_;
    std::uint32_t entries_ = 0;
    std::int64_t last_;
};

}  // namespace quellix
