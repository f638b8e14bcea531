#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <utility>

#include "platform/clock.h"

namespace quellix::test {

// A clock that stands still until the test moves it; local time is UTC unless a zone is given.
class FakeClock final : public platform::Clock {
  public:
    explicit FakeClock(std::int64_t now = 0) : now_(now) {}

    std::int64_t Now() const override { return now_; }
    platform::CivilTime ToLocal(std::int64_t seconds) const override;
    // Years 1 to 9999 only, as the calendar of the tests knows no others.
    std::optional<platform::CivilTime> ToLocalIfRepresentable(std::int64_t seconds) const override;

    // Moves with Advance, and alone with AdvanceMilliseconds; Set leaves it where it is, as a
    // change of the date leaves the machine's steady clock.
    std::int64_t SteadyMilliseconds() const override { return steadyMs_; }

    void Set(std::int64_t now) { now_ = now; }
    void Advance(std::int64_t seconds) {
        now_ += seconds;
        steadyMs_ += seconds * 1000;
    }
    void AdvanceMilliseconds(std::int64_t milliseconds) { steadyMs_ += milliseconds; }
    // Local time is then UTC plus utcOffset(instant) seconds.
    void SetZone(std::function<int(std::int64_t)> utcOffset) { utcOffset_ = std::move(utcOffset); }

  private:
    std::int64_t now_;
    std::int64_t steadyMs_ = 0;
    std::function<int(std::int64_t)> utcOffset_;
};

// Seconds since the epoch of a UTC calendar time, for building tests around chosen dates.
std::int64_t EpochOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

}  // namespace quellix::test
