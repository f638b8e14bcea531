#include "platform/clock.h"

#include <atomic>
#include <clocale>
#include <ctime>
#include <vector>

#include "platform/common/civil_fields.h"

namespace quellix::platform {

namespace {

class MachineClock final : public Clock {
  public:
    std::int64_t Now() const override {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        // A service runs for days: it follows a change of the machine's time zone rather than
        // keeping the one it started with. tzset reads the zone file's status each time, so it
        // runs once per second, not at every one of the many calls a purge makes.
        if (lastZoneCheck_.exchange(now.tv_sec, std::memory_order_relaxed) != now.tv_sec) {
            ::tzset();
        }
        return static_cast<std::int64_t>(now.tv_sec);
    }

    CivilTime ToLocal(std::int64_t secondsSinceEpoch) const override {
        return ToLocalIfRepresentable(secondsSinceEpoch).value_or(CivilTime{});
    }

    std::optional<CivilTime> ToLocalIfRepresentable(std::int64_t secondsSinceEpoch) const override {
        const auto seconds = static_cast<time_t>(secondsSinceEpoch);
        struct tm local {};
        if (::localtime_r(&seconds, &local) == nullptr) {
            return std::nullopt;
        }
        return CivilTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                         local.tm_min,         local.tm_sec,     local.tm_wday};
    }

    std::int64_t SteadyMilliseconds() const override {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
    }

  private:
    mutable std::atomic<time_t> lastZoneCheck_{-1};
};

}  // namespace

const Clock& SystemClock() {
    static const MachineClock clock;
    return clock;
}

std::string FormatCivilTime(const CivilTime& time, const char* pattern) {
    const std::tm fields = CivilFields(time);

    // strftime returns 0 both for an empty result and for a buffer too small; a trailing space
    // makes every result non-empty, so 0 always means "grow the buffer".
    std::string withEnd = pattern == nullptr ? std::string() : pattern;
    withEnd += ' ';
    constexpr std::size_t kMaxSize = 1 << 20;
    for (std::size_t size = 256; size <= kMaxSize; size *= 4) {
        std::vector<char> buffer(size);
        const std::size_t length =
            std::strftime(buffer.data(), buffer.size(), withEnd.c_str(), &fields);
        if (length > 0) {
            return std::string(buffer.data(), length - 1);
        }
    }
    return {};
}

void UseUserTimeLocale() {
    // Only LC_TIME: strftime copies the names from it byte for byte, no other category is needed,
    // and LC_NUMERIC must stay "C" for the number formats of the configuration files.
    std::setlocale(LC_TIME, "");
}

}  // namespace quellix::platform
