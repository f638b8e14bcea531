#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace quellix::platform {

// How the service is told to stop, pause and continue: SIGTERM (and SIGINT) stop, SIGUSR1
// pauses, SIGUSR2 continues; on Windows the service manager's Stop (and Shutdown), Pause and
// Continue controls.
enum class ServiceSignal : char { Stop, Pause, Continue };

// Installs the handlers; until then the signals keep their default action.
void InstallServiceSignalHandlers();

// Set by the stop signal's handler the moment it arrives, so that a purge can look at it at every
// file without a system call.
const std::atomic<bool>& StopSignalFlag();

// The signals received since the last call, in the order they came.
std::vector<ServiceSignal> TakeServiceSignals();

// Waits until the wall clock reaches its next whole second, or less when a signal arrives.
void WaitForNextSecondOrSignal();

// Runs body as the process the system's service manager started, and returns its exit code. On
// Linux systemd started the process itself and body just runs; on Windows it runs inside the
// service control dispatcher, which reports the service running, paused and stopped. Nothing,
// without running body, on Windows when the service manager did not start this process (typed
// in a console), where it would wait for a manager that never calls.
std::optional<int> RunServiceProcess(const std::function<int()>& body);

// Milliseconds from a wall-clock time (ms since the epoch) to just past its next whole second.
std::int64_t MillisecondsToNextSecond(std::int64_t nowMilliseconds);

}  // namespace quellix::platform
