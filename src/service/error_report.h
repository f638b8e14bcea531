#pragma once

#include "config/settings.h"
#include "service/service_host.h"

namespace quellix {

// Errors go to the system log when the system offers services and ours is installed; otherwise
// they are shown in a message box.
bool ReportsGoToEventLog(const Settings& settings, const ServiceHost& service);

}  // namespace quellix
