#include "platform/service_signals.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace quellix::platform {

namespace {

std::atomic<bool> stopFlag{false};
// The handlers queue one byte per signal here, in the order they came, and a wait wakes up at
// once when one is written.
int queueRead = -1;
int queueWrite = -1;

void OnSignal(int number) {
    const int savedErrno = errno;
    ServiceSignal signal = ServiceSignal::Stop;
    if (number == SIGUSR1) {
        signal = ServiceSignal::Pause;
    } else if (number == SIGUSR2) {
        signal = ServiceSignal::Continue;
    } else {
        stopFlag.store(true);
    }
    if (queueWrite >= 0) {
        const auto byte = static_cast<char>(signal);
        [[maybe_unused]] const ssize_t ignored = ::write(queueWrite, &byte, 1);
    }
    errno = savedErrno;
}

std::int64_t WallClockMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace

void InstallServiceSignalHandlers() {
    if (queueRead < 0) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
            queueRead = fds[0];
            queueWrite = fds[1];
        }
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    ::sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGUSR1, SIGUSR2}) {
        ::sigaction(number, &action, nullptr);
    }
}

const std::atomic<bool>& StopSignalFlag() {
    return stopFlag;
}

std::vector<ServiceSignal> TakeServiceSignals() {
    std::vector<ServiceSignal> taken;
    char buffer[64];
    ssize_t size = 0;
    while (queueRead >= 0 && (size = ::read(queueRead, buffer, sizeof buffer)) > 0) {
        for (ssize_t i = 0; i < size; ++i) {
            taken.push_back(static_cast<ServiceSignal>(buffer[i]));
        }
    }
    return taken;
}

std::optional<int> RunServiceProcess(const std::function<int()>& body) {
    return body();
}

void WaitForNextSecondOrSignal() {
    // The timeout runs on the monotonic clock, which stands still while the machine sleeps: after
    // a resume this wakes once, never for every second that was slept through.
    // The queued signals stay in the pipe for TakeServiceSignals.
    pollfd wake{queueRead, POLLIN, 0};
    const auto timeout = static_cast<int>(MillisecondsToNextSecond(WallClockMilliseconds()));
    ::poll(&wake, queueRead >= 0 ? 1 : 0, timeout);
}

}  // namespace quellix::platform
