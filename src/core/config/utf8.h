#pragma once

#include <cstddef>
#include <string_view>

namespace quellix {

// Length of the valid UTF-8 sequence that starts at text[pos] (1 for ASCII), or 0 when the bytes
// there are not valid UTF-8 (overlong forms and surrogates included).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos);

// True when the whole text is valid UTF-8 (pure ASCII included).
bool IsValidUtf8(std::string_view text);

// Code point of the valid sequence of length bytes at text[pos] (as Utf8SequenceLength gave it).
char32_t Utf8CodePoint(std::string_view text, std::size_t pos, std::size_t length);

}  // namespace quellix
