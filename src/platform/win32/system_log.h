#pragma once

#include <string>
#include <string_view>

namespace quellix::platform::win32 {

// The message id of messages.mc whose text is its single insertion string.
constexpr unsigned long kTextEventId = 1;

// The insertion string that carries text to the event log: a NUL, which would end it, is shown
// as "\0", and a text longer than an insertion string may be is cut (never inside a character).
std::wstring EventText(std::string_view text);

}  // namespace quellix::platform::win32
