#pragma once

#include "core/common/service_host.h"
#include "core/common/settings.h"

namespace quellix {

// Errors go to the system log when the system offers services and ours is installed; otherwise
// they are shown in a message box.
bool ReportsGoToEventLog(const Settings& settings, const ServiceHost& service);

}  // namespace quellix
