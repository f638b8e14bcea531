#include "core/config/config_values.h"

#include "core/config/number_scan.h"

namespace quellix {

std::string TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::optional<std::string> ReadTrimmed(ConfigStore& store, std::string_view section,
                                       std::string_view key) {
    auto value = store.Read(section, key);
    if (!value) {
        return std::nullopt;
    }
    return TrimSpaces(*value);
}

bool ReadFlag(ConfigStore& store, std::string_view section, std::string_view key, bool trimmed) {
    const auto value = trimmed ? ReadTrimmed(store, section, key) : store.Read(section, key);
    return value && *value == "1";
}

std::optional<double> ReadNumber(ConfigStore& store, std::string_view section,
                                 std::string_view key) {
    const auto value = store.Read(section, key);
    if (!value) {
        return std::nullopt;
    }
    return ScanLeadingNumber(*value);
}

void WriteFlag(ConfigStore& store, std::string_view section, std::string_view key, bool on) {
    store.Write(section, key, on ? "1" : "0");
}

void WriteInteger(ConfigStore& store, std::string_view section, std::string_view key,
                  long long value) {
    store.Write(section, key, std::to_string(value));
}

}  // namespace quellix
