#include "platform/service_signals.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <vector>

#include "support/child_process.h"

namespace quellix::platform {
namespace {

// Ticks land just past each whole second of the wall clock, whatever the time of the last one.
TEST(ServiceSignals, WaitEndsJustPastTheNextWholeSecond) {
    EXPECT_EQ(MillisecondsToNextSecond(1'700'000'000'000), 1001);
    EXPECT_EQ(MillisecondsToNextSecond(1'700'000'000'999), 2);
    EXPECT_EQ(MillisecondsToNextSecond(1'700'000'000'400), 601);
}

// In a child, since the handlers stay for the life of the process.
TEST(ServiceSignals, SignalsAreTakenInTheOrderTheyCame) {
    const int code = test::RunInChild([] {
        InstallServiceSignalHandlers();
        if (StopSignalFlag().load() || !TakeServiceSignals().empty()) {
            return 1;
        }
        ::raise(SIGUSR2);
        ::raise(SIGUSR1);
        ::raise(SIGUSR2);
        if (StopSignalFlag().load()) {
            return 2;
        }
        ::raise(SIGTERM);
        if (!StopSignalFlag().load()) {
            return 3;
        }
        // The wait wakes on the queue but leaves it to TakeServiceSignals.
        WaitForNextSecondOrSignal();
        const std::vector<ServiceSignal> expected = {ServiceSignal::Continue, ServiceSignal::Pause,
                                                     ServiceSignal::Continue, ServiceSignal::Stop};
        if (TakeServiceSignals() != expected) {
            return 4;
        }
        return TakeServiceSignals().empty() ? 0 : 5;
    });
    EXPECT_EQ(code, 0);
}

}  // namespace
}  // namespace quellix::platform
