#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace quellix {

// Files of a folder, with its subfolders when asked.
using FileCounter = std::function<std::int64_t(const std::string& folder, bool includeSubfolders)>;

}  // namespace quellix
