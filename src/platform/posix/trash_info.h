#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quellix::platform::posix {

// path with every byte but the unreserved characters of RFC 3986 and "/" written as %XX, so that
// any name, including newlines and bytes that are not UTF-8, survives a line-based key file.
std::string PercentEncodePath(std::string_view path);

// Content of a .trashinfo file: the already encoded original path and the local time of deletion.
std::string TrashInfoText(std::string_view encodedPath, std::int64_t deletedAt);

// Name under which an entry is kept in the trash on the given attempt (1, 2, ...): name, then
// name.2, name.3 ... Shortened to at most maxLength bytes, without splitting a UTF-8 character,
// so that it and its ".trashinfo" fit the file system's name limit; the info file keeps the
// whole original name.
std::string TrashEntryName(std::string_view name, int attempt, std::size_t maxLength);

}  // namespace quellix::platform::posix
