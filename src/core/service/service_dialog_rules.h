#pragma once

#include <optional>
#include <string>

#include "core/common/front_end.h"
#include "core/common/language.h"
#include "core/common/service_host.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"

namespace quellix {

// The command lines that start and stop the service, named where the dialog points the user to
// the service console.
struct ServiceConsole {
    std::string startCommand;
    std::string stopCommand;
    // Where the message after Install sends the user; the start command when empty.
    std::string startAfterInstall;
};

// A user unit is driven with "systemctl --user", the system-wide one (as root) without.
ServiceConsole ServiceConsoleFor(bool userUnit);
// The console of the unit Install writes for this process's user.
ServiceConsole ServiceConsoleOfThisUser();
// Windows' service console, named as the user's system names it.
ServiceConsole WindowsServiceConsole(Language language);

// What the dialog shows when it opens.
struct ServiceDialogLoad {
    std::string stateLine;
    std::string installHint;
    std::string removeHint;
    ServiceStartType startType = ServiceStartType::Automatic;
    bool interact = false;
    bool debug = false;
};

ServiceDialogLoad LoadServiceDialog(const Settings& settings, const ServiceHost& service,
                                    const ServiceConsole& console);

// The boxes of the dialog when Install is pressed.
struct ServiceChoice {
    ServiceStartType startType = ServiceStartType::Automatic;
    bool interact = false;
    bool debug = false;
};

struct ServiceInstallResult {
    std::string stateLine;
    bool beep = false;
    // The service is registered now: show the message, then the program ends.
    bool installed = false;
    std::optional<MessageRequest> message;
};

// Install: refused with a beep while the service exists; otherwise registers it with the chosen
// start type and desktop flag, then sets and writes Debug, logs the new state line and composes
// the message. When the registration fails nothing else changes.
ServiceInstallResult RunServiceInstall(const ServiceChoice& choice, Settings& settings,
                                       ConfigStore& config, ServiceHost& service,
                                       const ServiceConsole& console);

struct ServiceRemoveResult {
    std::string stateLine;
    bool beep = false;
    bool removed = false;
};

// Remove: unregisters the service and logs it; without a service, the not-installed line and a
// beep.
ServiceRemoveResult RunServiceRemove(const Settings& settings, ServiceHost& service);

}  // namespace quellix
