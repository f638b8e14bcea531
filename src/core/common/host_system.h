#pragma once

#include "platform/path_style.h"

namespace quellix {

enum class HostSystem { Linux, Windows };

// The system this build runs on, for the few texts and formats that follow its customs.
inline constexpr HostSystem kHostSystem =
    platform::kPathSeparator == '\\' ? HostSystem::Windows : HostSystem::Linux;

}  // namespace quellix
