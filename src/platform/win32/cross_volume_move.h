#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace quellix::platform::win32 {

// Moves the regular file name of from to newName in to, on another volume: copies data, times
// and attributes under a temporary name that the system removes should the process die, flushes
// it, names it (never replacing anything) and only then removes the source. On any failure the
// source stays and the copy goes. 0 or the error number: EEXIST when newName is taken, EXDEV for
// a folder or reparse point, EBUSY when the source changed while it was copied. Adds the flushes
// done to *syncs.
int MoveAcrossVolumes(HANDLE from, const std::wstring& name, HANDLE to, const std::wstring& newName,
                      std::uint64_t* syncs);

// Removes from the folder the copies of movers that died: temporaries nobody holds open.
void RemoveStaleMoveTemporaries(HANDLE folder);

}  // namespace quellix::platform::win32
