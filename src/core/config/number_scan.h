#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quellix {

// Leading-number scan of configuration values: leading spaces and tabs are skipped, then an
// optional sign, digits and at most one decimal point are taken up to the first other character.
// No digits give 0 ("45s" gives 45, "abc" gives 0, "-.5" gives -0.5). Too many digits for a double
// give an infinite value.
double ScanLeadingNumber(std::string_view text);

// Nearest integer, a value exactly halfway going to the even neighbour; nullopt when the result
// does not fit the type (or the value is not finite).
std::optional<std::int16_t> RoundToInt16(double value);
std::optional<std::int32_t> RoundToInt32(double value);

// Shortest decimal text that reads back as value, never in exponent form ("24", "1.5").
std::string ShortestDecimalText(double value);

}  // namespace quellix
