#pragma once

namespace quellix {

// What the folder entry editor does: a new entry before or after the selected row, or the
// selected row changed.
enum class FolderEditorMode { AddBefore, AddAfter, Modify };

}  // namespace quellix
