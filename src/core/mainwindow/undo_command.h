#pragma once

#include <functional>

#include "core/common/settings.h"

namespace quellix {

class FrontEnd;

// Folders > Undo last purge: says how many files would go back and that deleted ones cannot,
// asks (No by default), puts them back, says what happened and counts the list again.
void UndoLastPurgeCommand(const Settings& settings, FrontEnd& frontEnd,
                          const std::function<void()>& countPass);

}  // namespace quellix
