#pragma once

#include <functional>

#include "platform/directory.h"

namespace quellix {

// What the purge learns of whether a file is in use.
enum class InUse { No, Yes, NotAsked };

// Asks probe (the open that fails while another program has the file open) unless the file is a
// cloud placeholder, which that open would download: such a file is handled as not in use, and
// its line says it was not asked.
InUse FileInUse(const platform::EntryInfo& file, const std::function<bool()>& probe);

}  // namespace quellix
