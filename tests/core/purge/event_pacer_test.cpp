#include "core/purge/event_pacer.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/fake_clock.h"
#include "support/scripted_front_end.h"

namespace quellix {
namespace {

// Events run every 256 entries, or at the next fourth entry once 10 ms have passed on the
// program's clock.
TEST(EventPacer, EveryFewHundredEntriesOrSoonerWhenEntriesAreSlow) {
    const std::tuple<int, std::int64_t, int> cases[] = {
        // entries, milliseconds per entry, times events ran
        {255, 0, 0},  {256, 0, 1},
        {1024, 0, 4}, {3, 100, 0},  // the clock is read at every fourth entry only
        {4, 100, 1},  {40, 3, 10},  // 12 ms per four entries
        {12, 2, 1},                 // 8 ms at the fourth entry, 16 at the eighth, then 8 again
    };
    for (const auto& [entries, msPerEntry, expected] : cases) {
        test::FakeClock clock;
        test::ScriptedFrontEnd frontEnd;
        int ran = 0;
        frontEnd.onPendingEvents = [&] { ++ran; };
        EventPacer pacer(frontEnd, clock);
        for (int i = 0; i < entries; ++i) {
            clock.AdvanceMilliseconds(msPerEntry);
            pacer.NextEntry();
        }
        EXPECT_EQ(ran, expected) << entries << " entries, " << msPerEntry << " ms each";
    }
}

}  // namespace
}  // namespace quellix
