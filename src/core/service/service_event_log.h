#pragma once

#include <string_view>

#include "core/common/service_host.h"

namespace quellix {

// An entry of the system's log (journal or event log) under the service's name, as every service
// host writes it.
void WriteServiceEventLog(std::string_view text, EventType type);

}  // namespace quellix
