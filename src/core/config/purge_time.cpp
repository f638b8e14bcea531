#include "core/config/purge_time.h"

#include <cctype>
#include <string>

namespace quellix {

namespace {

// Reads one to maxDigits decimal digits at pos; nullopt when there is none.
std::optional<int> ReadDigits(std::string_view text, std::size_t& pos, std::size_t maxDigits) {
    int value = 0;
    std::size_t count = 0;
    while (pos < text.size() && count < maxDigits &&
           std::isdigit(static_cast<unsigned char>(text[pos]))) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++count;
    }
    if (count == 0) {
        return std::nullopt;
    }
    return value;
}

bool Expect(std::string_view text, std::size_t& pos, char wanted) {
    if (pos < text.size() && text[pos] == wanted) {
        ++pos;
        return true;
    }
    return false;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool IsValidDate(int year, int month, int day) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 100 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    const int last = kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
    return day <= last;
}

std::optional<int> ParseTime(std::string_view text) {
    std::size_t pos = 0;
    auto hour = ReadDigits(text, pos, 2);
    if (!hour || !Expect(text, pos, ':')) {
        return std::nullopt;
    }
    // Minutes and seconds are always two digits.
    const std::size_t minuteStart = pos;
    auto minute = ReadDigits(text, pos, 2);
    if (!minute || pos - minuteStart != 2 || *minute > 59) {
        return std::nullopt;
    }
    if (Expect(text, pos, ':')) {
        const std::size_t secondStart = pos;
        auto second = ReadDigits(text, pos, 2);
        if (!second || pos - secondStart != 2 || *second > 59) {
            return std::nullopt;
        }
    }
    std::string rest;
    for (; pos < text.size(); ++pos) {
        if (text[pos] != ' ') {
            rest += static_cast<char>(std::toupper(static_cast<unsigned char>(text[pos])));
        }
    }
    if (rest.empty()) {
        return *hour <= 23 ? std::optional<int>(*hour * 60 + *minute) : std::nullopt;
    }
    if ((rest != "AM" && rest != "PM") || *hour < 1 || *hour > 12) {
        return std::nullopt;
    }
    const int hour24 = (*hour % 12) + (rest == "PM" ? 12 : 0);
    return hour24 * 60 + *minute;
}

}  // namespace

std::optional<int> ParsePurgeTime(std::string_view text) {
    std::size_t pos = 0;
    const std::size_t yearStart = pos;
    auto year = ReadDigits(text, pos, 4);
    if (year && pos - yearStart == 4 && Expect(text, pos, '-')) {
        auto month = ReadDigits(text, pos, 2);
        if (!month || !Expect(text, pos, '-')) {
            return std::nullopt;
        }
        auto day = ReadDigits(text, pos, 2);
        if (!day || !IsValidDate(*year, *month, *day)) {
            return std::nullopt;
        }
        if (pos == text.size()) {
            return 0;
        }
        if (!Expect(text, pos, ' ')) {
            return std::nullopt;
        }
        return ParseTime(text.substr(pos));
    }
    return ParseTime(text);
}

}  // namespace quellix
