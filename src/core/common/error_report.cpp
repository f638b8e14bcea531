#include "core/common/error_report.h"

namespace quellix {

bool ReportsGoToEventLog(const Settings& settings, const ServiceHost& service) {
    return settings.IsNt && service.IsInstalled();
}

}  // namespace quellix
