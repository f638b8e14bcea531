#pragma once

#include <functional>

#include "core/common/settings.h"
#include "core/config/config_store.h"

namespace quellix {

class ServiceHost;

struct ServiceEventContext {
    Settings& settings;
    ConfigStore& config;
    ServiceHost& service;
    // The scheduler's Start command.
    std::function<void()> startCommand;
};

// The system has started the service: the purge time is read again from the file (it may have
// changed since the process started), the start is logged and the schedule is started. False
// when the stored purge time is invalid: that is logged and the program must end.
bool OnServiceStart(const ServiceEventContext& context);

// Stop, pause and continue only write their entry; ending the process on stop is the caller's.
void OnServiceStop(const ServiceEventContext& context);
void OnServicePause(const ServiceEventContext& context);
void OnServiceContinue(const ServiceEventContext& context);

}  // namespace quellix
