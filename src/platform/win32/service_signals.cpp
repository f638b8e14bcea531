#include "platform/service_signals.h"

#include <windows.h>

#include <mutex>

namespace quellix::platform {

namespace {

constexpr wchar_t kServiceName[] = L"Quellix";

std::atomic<bool> stopFlag{false};
std::mutex queueMutex;
std::vector<ServiceSignal> queue;
// Set whenever a control arrives, so that a wait ends at once.
HANDLE wake = nullptr;

SERVICE_STATUS_HANDLE statusHandle = nullptr;
const std::function<int()>* serviceBody = nullptr;
int bodyExitCode = 0;

void Report(DWORD state, DWORD exitCode = 0) {
    if (statusHandle == nullptr) {
        return;
    }
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted =
        state == SERVICE_STOP_PENDING || state == SERVICE_STOPPED
            ? 0
            : SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_PAUSE_CONTINUE | SERVICE_ACCEPT_SHUTDOWN;
    if (exitCode != 0) {
        status.dwWin32ExitCode = ERROR_SERVICE_SPECIFIC_ERROR;
        status.dwServiceSpecificExitCode = exitCode;
    }
    // A stop may take until the running purge reaches its next file.
    status.dwWaitHint = state == SERVICE_STOP_PENDING ? 30000 : 0;
    ::SetServiceStatus(statusHandle, &status);
}

void Queue(ServiceSignal signal) {
    {
        const std::lock_guard<std::mutex> lock(queueMutex);
        queue.push_back(signal);
    }
    if (wake != nullptr) {
        ::SetEvent(wake);
    }
}

DWORD WINAPI OnControl(DWORD control, DWORD, void*, void*) {
    switch (control) {
        case SERVICE_CONTROL_STOP:
        case SERVICE_CONTROL_SHUTDOWN:
            stopFlag.store(true);
            Report(SERVICE_STOP_PENDING);
            Queue(ServiceSignal::Stop);
            return NO_ERROR;
        case SERVICE_CONTROL_PAUSE:
            Queue(ServiceSignal::Pause);
            Report(SERVICE_PAUSED);
            return NO_ERROR;
        case SERVICE_CONTROL_CONTINUE:
            Queue(ServiceSignal::Continue);
            Report(SERVICE_RUNNING);
            return NO_ERROR;
        case SERVICE_CONTROL_INTERROGATE:
            return NO_ERROR;
        default:
            return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

void WINAPI ServiceMain(DWORD, wchar_t**) {
    statusHandle = ::RegisterServiceCtrlHandlerExW(kServiceName, OnControl, nullptr);
    Report(SERVICE_RUNNING);
    bodyExitCode = (*serviceBody)();
    Report(SERVICE_STOPPED, static_cast<DWORD>(bodyExitCode));
}

std::int64_t WallClockMilliseconds() {
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    const std::int64_t ticks =
        (static_cast<std::int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    // 100-ns ticks since 1601 to milliseconds since 1970.
    return ticks / 10000 - 11644473600000LL;
}

}  // namespace

std::optional<int> RunServiceProcess(const std::function<int()>& body) {
    serviceBody = &body;
    SERVICE_TABLE_ENTRYW table[] = {{const_cast<wchar_t*>(kServiceName), ServiceMain},
                                    {nullptr, nullptr}};
    // Returns once the service has stopped; fails at once when the service manager did not
    // start us.
    if (!::StartServiceCtrlDispatcherW(table)) {
        if (::GetLastError() == ERROR_FAILED_SERVICE_CONTROLLER_CONNECT) {
            return std::nullopt;
        }
        return body();
    }
    return bodyExitCode;
}

void InstallServiceSignalHandlers() {
    if (wake == nullptr) {
        wake = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    }
}

const std::atomic<bool>& StopSignalFlag() {
    return stopFlag;
}

std::vector<ServiceSignal> TakeServiceSignals() {
    const std::lock_guard<std::mutex> lock(queueMutex);
    std::vector<ServiceSignal> taken;
    taken.swap(queue);
    return taken;
}

void WaitForNextSecondOrSignal() {
    const auto timeout = static_cast<DWORD>(MillisecondsToNextSecond(WallClockMilliseconds()));
    if (wake != nullptr) {
        ::WaitForSingleObject(wake, timeout);
    } else {
        ::Sleep(timeout);
    }
}

}  // namespace quellix::platform
