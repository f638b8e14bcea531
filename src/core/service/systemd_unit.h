#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/common/service_host.h"

namespace quellix {

// What the service's unit file says.
struct UnitRequest {
    std::string executable;  // absolute path of the program the service runs
    std::string configPath;  // absolute path of its configuration file
    ServiceStartType startType = ServiceStartType::Automatic;
    bool interactWithDesktop = false;
    bool userUnit = false;  // for the user's own service manager rather than the system's
};

// Unit text, or why none can be written.
struct UnitText {
    std::string text;
    std::string error;  // empty when text is usable
};

// The unit file for request. The start type and desktop flag are also kept in X-Quellix- keys,
// which systemd ignores, so that they can be read back.
UnitText ComposeUnit(const UnitRequest& request);

// One argument of a command line in ExecStart=, quoted so that systemd passes it on byte for byte
// (no specifier or variable expansion). nullopt for text holding a newline or NUL, which no
// command-line argument of a unit should carry.
std::optional<std::string> QuoteExecArgument(std::string_view text);

// What ComposeUnit recorded; a key that is missing or unreadable stays nullopt.
struct UnitRegistration {
    std::optional<ServiceStartType> startType;
    std::optional<bool> interactWithDesktop;
};

UnitRegistration ParseUnitRegistration(std::string_view unitText);

}  // namespace quellix
