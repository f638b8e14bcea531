#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/config/config_store.h"

namespace quellix {

// Texts are trimmed of spaces only, as every trimmed key of the file is.
std::string TrimSpaces(std::string_view text);

// The value with its leading and trailing spaces removed; nullopt when the key is absent.
// A value made only of spaces is present and comes back empty.
std::optional<std::string> ReadTrimmed(ConfigStore& store, std::string_view section,
                                       std::string_view key);

// A flag is on exactly when its value is "1" (after trimming when the key is trimmed).
bool ReadFlag(ConfigStore& store, std::string_view section, std::string_view key, bool trimmed);

// The leading number of the value; nullopt when the key is absent.
std::optional<double> ReadNumber(ConfigStore& store, std::string_view section,
                                 std::string_view key);

void WriteFlag(ConfigStore& store, std::string_view section, std::string_view key, bool on);
void WriteInteger(ConfigStore& store, std::string_view section, std::string_view key,
                  long long value);

}  // namespace quellix
