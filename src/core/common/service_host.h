#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace quellix {

inline constexpr const char* kServiceName = "Quellix";
inline constexpr const char* kServiceDisplayName = "Quellix Service";

enum class EventType { Error = 1, Warning = 2, Information = 4 };

enum class ServiceStartType { Automatic = 0, Manual = 1, Disabled = 2 };

// Registration of the program as a system service "Quellix Service" (name "Quellix") and the
// system log it writes to.
class ServiceHost {
  public:
    virtual ~ServiceHost() = default;

    // The service is registered with the system.
    virtual bool IsInstalled() const = 0;
    // This process is the running service.
    virtual bool IsServiceProcess() const = 0;
    // Adds one entry under the service's name; the outcome is ignored.
    virtual void WriteEventLog(std::string_view text, EventType type) = 0;

    virtual ServiceStartType StartType() const = 0;
    virtual void SetStartType(ServiceStartType type) = 0;
    virtual bool InteractWithDesktop() const = 0;
    virtual void SetInteractWithDesktop(bool on) = 0;

    // Registers the service with the current start type and desktop flag; false when it could
    // not be done.
    virtual bool Install(bool unused) = 0;
    virtual bool Uninstall() = 0;
};

// The service of the system the program runs on (systemd, or Windows' service manager).
class SystemServiceHost : public ServiceHost {
  public:
    // The configuration file the installed service is to use; Install needs it.
    virtual void SetConfigPath(std::string path) = 0;
    // Why the last Install or Uninstall failed; empty after a success.
    virtual const std::string& LastError() const = 0;
    // Whether the installed service runs now.
    virtual bool IsRunning() const = 0;
};

// The system's service host for this process (isServiceProcess: started as the service).
std::unique_ptr<SystemServiceHost> MakeSystemServiceHost(bool isServiceProcess);

}  // namespace quellix
