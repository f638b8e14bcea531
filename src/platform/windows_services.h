#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quellix::platform {

// Windows' service manager and the registration of an event-log source (Windows only).

enum class ServiceStart { Automatic, Manual, Disabled };

struct ServiceDefinition {
    std::string name;
    std::string displayName;
    // The full command line the service manager starts, with the executable quoted.
    std::string commandLine;
    std::vector<std::string> dependencies;
    ServiceStart start = ServiceStart::Automatic;
    bool interactWithDesktop = false;
};

struct InstalledService {
    ServiceStart start = ServiceStart::Automatic;
    bool interactWithDesktop = false;
    std::string commandLine;
    // Running, or on its way there (start pending, paused).
    bool running = false;
};

// nullopt when no service of that name is registered (or the manager cannot be asked).
std::optional<InstalledService> QueryInstalledService(const std::string& name);

// Registers the service, or changes the registered one to this definition. Returns 0 or the
// Windows error code.
unsigned long CreateOrChangeService(const ServiceDefinition& definition);

// Stops the service when it runs (waiting up to timeoutSeconds for it to stop) and removes it.
// Returns 0 or the Windows error code (ERROR_SERVICE_DOES_NOT_EXIST when there is none).
unsigned long StopAndDeleteService(const std::string& name, int timeoutSeconds);

// Registers source in the Application event log with messageFile holding its message table,
// so that the Event Viewer can show the entries' texts. Returns 0 or the Windows error code.
unsigned long RegisterEventLogSource(const std::string& source, const std::string& messageFile);
unsigned long UnregisterEventLogSource(const std::string& source);

// The text Windows gives for an error code, in the system's language.
std::string WindowsErrorText(unsigned long error);

}  // namespace quellix::platform
