#include "core/config/number_scan.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace quellix {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

template <typename Int>
std::optional<Int> RoundTo(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double below = std::floor(value);
    const double fraction = value - below;  // exact for every finite double
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        rounded = below + 1.0;
    }
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(rounded);
}

}  // namespace

double ScanLeadingNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t start = pos;
    bool sawPoint = false;
    bool sawDigit = false;
    bool integerPartNonZero = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (IsDigit(c)) {
            sawDigit = true;
            integerPartNonZero = integerPartNonZero || (!sawPoint && c != '0');
        } else if (c == '.' && !sawPoint) {
            sawPoint = true;
        } else {
            break;
        }
    }
    if (!sawDigit) {
        return 0.0;
    }
    // from_chars ignores the locale, unlike strtod: "1.5" must mean the same everywhere.
    double magnitude = 0.0;
    const std::errc error =
        std::from_chars(text.data() + start, text.data() + pos, magnitude, std::chars_format::fixed)
            .ec;
    if (error == std::errc::result_out_of_range) {
        // Out of range either way: too large with a non-zero integer part, too small otherwise.
        magnitude = integerPartNonZero ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        return 0.0;
    }
    if (magnitude == 0.0) {
        return 0.0;  // no negative zero: "-0" is shown back as "0"
    }
    return negative ? -magnitude : magnitude;
}

std::optional<std::int16_t> RoundToInt16(double value) {
    return RoundTo<std::int16_t>(value);
}

std::optional<std::int32_t> RoundToInt32(double value) {
    return RoundTo<std::int32_t>(value);
}

std::string ShortestDecimalText(double value) {
    if (value == 0.0) {
        return "0";
    }
    // Enough for the longest fixed form: DBL_MAX has 309 digits, the smallest subnormal 5e-324
    // needs 326 characters.
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (error != std::errc()) {
        return {};
    }
    return std::string(buffer, end);
}

}  // namespace quellix
