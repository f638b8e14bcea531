#include "platform/windows_services.h"

#include <windows.h>

#include <memory>

#include "platform/win32/wide_text.h"

namespace quellix::platform {

namespace {

using win32::Narrow;
using win32::Widen;

struct ServiceHandleCloser {
    void operator()(SC_HANDLE handle) const { ::CloseServiceHandle(handle); }
};
using ServiceHandle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceHandleCloser>;

ServiceHandle OpenManager(DWORD access) {
    return ServiceHandle(::OpenSCManagerW(nullptr, nullptr, access));
}

DWORD StartTypeOf(ServiceStart start) {
    switch (start) {
        case ServiceStart::Manual:
            return SERVICE_DEMAND_START;
        case ServiceStart::Disabled:
            return SERVICE_DISABLED;
        case ServiceStart::Automatic:
        default:
            return SERVICE_AUTO_START;
    }
}

// The dependencies as the service manager wants them: each name NUL-terminated, then one NUL.
std::wstring DependencyList(const std::vector<std::string>& names) {
    std::wstring list;
    for (const std::string& name : names) {
        list += Widen(name);
        list += L'\0';
    }
    list += L'\0';
    return list;
}

constexpr wchar_t kEventLogKey[] = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\";

}  // namespace

std::optional<InstalledService> QueryInstalledService(const std::string& name) {
    const ServiceHandle manager = OpenManager(SC_MANAGER_CONNECT);
    if (!manager) {
        return std::nullopt;
    }
    const ServiceHandle service(::OpenServiceW(manager.get(), Widen(name).c_str(),
                                               SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS));
    if (!service) {
        return std::nullopt;
    }
    DWORD needed = 0;
    ::QueryServiceConfigW(service.get(), nullptr, 0, &needed);
    std::vector<unsigned char> buffer(needed > 0 ? needed : sizeof(QUERY_SERVICE_CONFIGW));
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
    if (!::QueryServiceConfigW(service.get(), config, static_cast<DWORD>(buffer.size()), &needed)) {
        return std::nullopt;
    }
    InstalledService installed;
    installed.start = config->dwStartType == SERVICE_DISABLED       ? ServiceStart::Disabled
                      : config->dwStartType == SERVICE_DEMAND_START ? ServiceStart::Manual
                                                                    : ServiceStart::Automatic;
    installed.interactWithDesktop = (config->dwServiceType & SERVICE_INTERACTIVE_PROCESS) != 0;
    if (config->lpBinaryPathName != nullptr) {
        installed.commandLine = Narrow(config->lpBinaryPathName);
    }
    SERVICE_STATUS status{};
    installed.running = ::QueryServiceStatus(service.get(), &status) != FALSE &&
                        status.dwCurrentState != SERVICE_STOPPED &&
                        status.dwCurrentState != SERVICE_STOP_PENDING;
    return installed;
}

unsigned long CreateOrChangeService(const ServiceDefinition& definition) {
    const ServiceHandle manager = OpenManager(SC_MANAGER_CONNECT | SC_MANAGER_CREATE_SERVICE);
    if (!manager) {
        return ::GetLastError();
    }
    const DWORD type = SERVICE_WIN32_OWN_PROCESS |
                       (definition.interactWithDesktop ? SERVICE_INTERACTIVE_PROCESS : 0);
    const std::wstring name = Widen(definition.name);
    const std::wstring display = Widen(definition.displayName);
    const std::wstring command = Widen(definition.commandLine);
    const std::wstring dependencies = DependencyList(definition.dependencies);
    ServiceHandle service(::CreateServiceW(manager.get(), name.c_str(), display.c_str(),
                                           SERVICE_ALL_ACCESS, type, StartTypeOf(definition.start),
                                           SERVICE_ERROR_NORMAL, command.c_str(), nullptr, nullptr,
                                           dependencies.c_str(), nullptr, nullptr));
    if (service) {
        return 0;
    }
    if (::GetLastError() != ERROR_SERVICE_EXISTS) {
        return ::GetLastError();
    }
    service.reset(::OpenServiceW(manager.get(), name.c_str(), SERVICE_CHANGE_CONFIG));
    if (!service) {
        return ::GetLastError();
    }
    if (!::ChangeServiceConfigW(service.get(), type, StartTypeOf(definition.start),
                                SERVICE_ERROR_NORMAL, command.c_str(), nullptr, nullptr,
                                dependencies.c_str(), nullptr, nullptr, display.c_str())) {
        return ::GetLastError();
    }
    return 0;
}

unsigned long StopAndDeleteService(const std::string& name, int timeoutSeconds) {
    const ServiceHandle manager = OpenManager(SC_MANAGER_CONNECT);
    if (!manager) {
        return ::GetLastError();
    }
    const ServiceHandle service(::OpenServiceW(manager.get(), Widen(name).c_str(),
                                               SERVICE_STOP | SERVICE_QUERY_STATUS | DELETE));
    if (!service) {
        return ::GetLastError();
    }
    SERVICE_STATUS status{};
    if (::ControlService(service.get(), SERVICE_CONTROL_STOP, &status)) {
        for (int waited = 0; waited < timeoutSeconds * 10; ++waited) {
            if (!::QueryServiceStatus(service.get(), &status) ||
                status.dwCurrentState == SERVICE_STOPPED) {
                break;
            }
            ::Sleep(100);
        }
    }
    return ::DeleteService(service.get()) ? 0 : ::GetLastError();
}

unsigned long RegisterEventLogSource(const std::string& source, const std::string& messageFile) {
    const std::wstring keyName = kEventLogKey + Widen(source);
    HKEY key = nullptr;
    LONG result = ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, nullptr, 0,
                                    KEY_SET_VALUE, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) {
        return static_cast<unsigned long>(result);
    }
    const std::wstring file = Widen(messageFile);
    const DWORD types = EVENTLOG_ERROR_TYPE | EVENTLOG_WARNING_TYPE | EVENTLOG_INFORMATION_TYPE;
    result = ::RegSetValueExW(key, L"EventMessageFile", 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(file.c_str()),
                              static_cast<DWORD>((file.size() + 1) * sizeof(wchar_t)));
    if (result == ERROR_SUCCESS) {
        result = ::RegSetValueExW(key, L"TypesSupported", 0, REG_DWORD,
                                  reinterpret_cast<const BYTE*>(&types), sizeof types);
    }
    ::RegCloseKey(key);
    return static_cast<unsigned long>(result);
}

unsigned long UnregisterEventLogSource(const std::string& source) {
    const std::wstring keyName = kEventLogKey + Widen(source);
    const LONG result = ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, keyName.c_str());
    return result == ERROR_FILE_NOT_FOUND ? 0 : static_cast<unsigned long>(result);
}

std::string WindowsErrorText(unsigned long error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = length > 0 ? Narrow(std::wstring_view(text, length)) : std::string();
    ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.')) {
        message.pop_back();
    }
    return message.empty() ? "error " + std::to_string(error) : message;
}

}  // namespace quellix::platform
