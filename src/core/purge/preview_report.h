#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "core/purge/purge_preview.h"

namespace quellix {

// A path as a terminal line can show it: control characters, bytes that are not UTF-8 and the
// backslash itself as \xNN escapes (\\ for the backslash), so that no name can break a line.
std::string ShownPath(std::string_view path);

// What each outcome would be, a line each ("delete: /data/old.iso"), then each entry's totals and
// those of the whole run: files and bytes, empty subfolders, and what is left.
void WritePreviewText(const PurgePreview& preview, std::ostream& out);

// The same as JSON lines for scripts: an object per outcome ({"entry":1,"outcome":"delete",
// "path":...}), then per entry, then {"total":true,...}. Bytes that are not UTF-8 are written as
// the escapes \udc80 to \udcff (decoded by Python with errors="surrogateescape").
void WritePreviewJson(const PurgePreview& preview, std::ostream& out);

}  // namespace quellix
