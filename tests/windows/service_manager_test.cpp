#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/service/windows_command_line.h"
#include "platform/win32/wide_text.h"
#include "support/temp_dir.h"
#include "windows/quellix_process.h"
#include "windows/service_trace.h"

namespace quellix {
namespace {

using platform::win32::Narrow;
using platform::win32::Widen;
using test::TracedEvent;
using test::WaitFor;

struct ServiceHandleCloser {
    void operator()(SC_HANDLE handle) const { ::CloseServiceHandle(handle); }
};
using ServiceHandle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceHandleCloser>;

ServiceHandle OpenQuellix(DWORD access) {
    const ServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    return ServiceHandle(manager ? ::OpenServiceW(manager.get(), L"Quellix", access) : nullptr);
}

SERVICE_STATUS_PROCESS StatusOf(SC_HANDLE service) {
    SERVICE_STATUS_PROCESS status{};
    DWORD needed = 0;
    if (!::QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status),
                                sizeof status, &needed)) {
        status.dwCurrentState = 0;
    }
    return status;
}

bool ReachesState(SC_HANDLE service, DWORD state) {
    return WaitFor([&] { return StatusOf(service).dwCurrentState == state; });
}

// A service left by an interrupted run would make the next one fail.
void RemoveLeftOverService() {
    const ServiceHandle service = OpenQuellix(SERVICE_STOP | SERVICE_QUERY_STATUS | DELETE);
    if (!service) {
        return;
    }
    SERVICE_STATUS status{};
    ::ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
    ReachesState(service.get(), SERVICE_STOPPED);
    ::DeleteService(service.get());
}

struct ServiceConfig {
    std::string binaryPath;
    std::string displayName;
    std::vector<std::string> dependencies;
    DWORD startType = 0;
};

std::optional<ServiceConfig> ConfigOf(SC_HANDLE service) {
    DWORD needed = 0;
    ::QueryServiceConfigW(service, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
    if (needed == 0 || !::QueryServiceConfigW(service, config, needed, &needed)) {
        return std::nullopt;
    }
    ServiceConfig result{
        Narrow(config->lpBinaryPathName), Narrow(config->lpDisplayName), {}, config->dwStartType};
    // Wine's QueryServiceConfigW gives no dependencies: they are read where the service manager
    // keeps them.
    wchar_t names[256] = {};
    DWORD size = sizeof names - 2 * sizeof(wchar_t);
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Services\\Quellix",
                       L"DependOnService", RRF_RT_REG_MULTI_SZ, nullptr, names,
                       &size) == ERROR_SUCCESS) {
        for (const wchar_t* name = names; *name; name += wcslen(name) + 1) {
            result.dependencies.push_back(Narrow(name));
        }
    }
    return result;
}

std::optional<std::string> EventMessageFile() {
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    if (::RegGetValueW(HKEY_LOCAL_MACHINE,
                       L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Quellix",
                       L"EventMessageFile", RRF_RT_REG_SZ, nullptr, value,
                       &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return Narrow(value);
}

// The process the service manager started for the service: it must end with it.
class ServiceProcess {
  public:
    explicit ServiceProcess(DWORD id)
        : handle_(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id)) {}
    ~ServiceProcess() {
        if (handle_ != nullptr) {
            ::CloseHandle(handle_);
        }
    }
    ServiceProcess(const ServiceProcess&) = delete;
    ServiceProcess& operator=(const ServiceProcess&) = delete;

    bool Opened() const { return handle_ != nullptr; }
    // The exit code once it has ended within a few seconds; -1 if it still runs.
    long EndCode() const {
        DWORD code = static_cast<DWORD>(-1);
        if (::WaitForSingleObject(handle_, 5000) == WAIT_OBJECT_0) {
            ::GetExitCodeProcess(handle_, &code);
        }
        return static_cast<long>(code);
    }

  private:
    HANDLE handle_;
};

class WindowsService : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* binary = std::getenv("QUELLIX_BINARY");
        const char* trace = std::getenv("QUELLIX_SERVICE_TRACE");
        ASSERT_NE(binary, nullptr) << "QUELLIX_BINARY names quellix.exe";
        if (trace == nullptr) {
            GTEST_SKIP() << "the service's entries are read from Wine's event-log trace: run "
                            "under scripts/wine-service-trace.sh";
        }
        tracePath_ = test::WindowsPathOf(trace);
        trace_ = std::make_unique<test::ServiceTrace>(tracePath_);
        RemoveLeftOverService();
        // Blanks in both paths: the service manager must get them quoted.
        exe_ = test::Backslashed(dir_.File("Program Files/quellix.exe"));
        std::filesystem::create_directories(dir_.File("Program Files"));
        ASSERT_TRUE(
            ::CopyFileW(Widen(test::WindowsPathOf(binary)).c_str(), Widen(exe_).c_str(), TRUE));
        ini_ = test::Backslashed(dir_.File("my config/Quellix.ini"));
        // The service's file may be missing at installation, but not its folder.
        std::filesystem::create_directories(dir_.File("my config"));
        folder_ = test::Backslashed(dir_.File("in")) + "\\";
        std::filesystem::create_directories(dir_.File("in"));
        std::filesystem::create_directories(dir_.File("logs"));
    }
    void TearDown() override { RemoveLeftOverService(); }

    // A purge's summary reaches the event log when the purge is logged.
    void WriteIni(const std::string& purge) const {
        dir_.Write("my config/Quellix.ini",
                   "[Purge]\r\n" + purge + "[Paths]\r\nNbPaths=1\r\nPath1=" + folder_ +
                       "\r\nRetentionPath1=48\r\nEffacer1=oui\r\n[Logs]\r\nLogs=1\r\nPathLogs=" +
                       test::Backslashed(dir_.File("logs")) + "\r\n");
    }
    std::vector<std::string> Folder() const { return test::NamesIn(dir_.File("in")); }

    test::TempDir dir_;
    std::string tracePath_;
    std::unique_ptr<test::ServiceTrace> trace_;
    std::string exe_;
    std::string ini_;
    std::string folder_;
};

const TracedEvent kStopped{"trace", "Quellix Service: stopped"};

// Install, start, a purge, pause, continue, stop, and uninstall of the running service, all
// through the service manager, with the entries the service writes on the way.
TEST_F(WindowsService, RunsUnderTheServiceManagerFromInstallToUninstall) {
    const std::string iniOption = "--ini=" + ini_;
    const std::string serviceLine = "\"" + exe_ + "\" --service \"" + iniOption + "\"";
    struct Install {
        std::string option;
        DWORD startType;
        // How the installer says the stopped service gets started.
        const char* hint;
    };
    // The last one is what runs: installing again changes the registration.
    for (const Install& install :
         {Install{"--install-service=disabled", SERVICE_DISABLED, "it is disabled"},
          Install{"--install-service=manual", SERVICE_DEMAND_START, "start it from Services"},
          Install{"--install-service", SERVICE_AUTO_START, "it starts with Windows"}}) {
        const test::QuellixOutput installed =
            test::RunQuellixOutput(exe_, {install.option, iniOption});
        ASSERT_EQ(installed.code, 0) << install.option;
        EXPECT_NE(installed.text.find("It is not running yet: "), std::string::npos)
            << installed.text;
        EXPECT_NE(installed.text.find(install.hint), std::string::npos) << installed.text;
        const ServiceHandle service = OpenQuellix(SERVICE_QUERY_CONFIG);
        ASSERT_TRUE(service) << install.option;
        const auto config = ConfigOf(service.get());
        ASSERT_TRUE(config) << install.option;
        EXPECT_EQ(config->binaryPath, serviceLine);
        EXPECT_EQ(config->displayName, "Quellix Service");
        EXPECT_EQ(config->dependencies, std::vector<std::string>{"LanmanWorkstation"});
        EXPECT_EQ(config->startType, install.startType) << install.option;
    }
    EXPECT_EQ(EventMessageFile(), exe_);
    ServiceHandle service =
        OpenQuellix(SERVICE_START | SERVICE_STOP | SERVICE_PAUSE_CONTINUE | SERVICE_QUERY_STATUS);
    ASSERT_TRUE(service);

    // An invalid purge time ends the service at once, and the service manager learns why.
    WriteIni("Heure=25:00\r\n");
    ASSERT_TRUE(::StartServiceW(service.get(), 0, nullptr)) << ::GetLastError();
    ASSERT_TRUE(ReachesState(service.get(), SERVICE_STOPPED));
    const SERVICE_STATUS_PROCESS failed = StatusOf(service.get());
    EXPECT_EQ(failed.dwWin32ExitCode, static_cast<DWORD>(ERROR_SERVICE_SPECIFIC_ERROR));
    EXPECT_EQ(failed.dwServiceSpecificExitCode, 1u);
    const auto errors = trace_->WaitForEvents(1);
    ASSERT_EQ(errors.size(), 1u);
    // Found by the start-up checks, before the service's own start reads the time again.
    EXPECT_EQ(errors[0],
              (TracedEvent{"err", "Invalid time, Section=Purge Key=Heure, file '" + ini_ + "'"}));
    trace_ = std::make_unique<test::ServiceTrace>(tracePath_);

    // Purges at once when the service starts.
    test::WriteDatedFile(folder_ + "old.txt", 100);
    test::WriteDatedFile(folder_ + "recent.txt", 0);
    WriteIni("Heure=3:00\r\nPurgeImmediate=1\r\n");
    ASSERT_TRUE(::StartServiceW(service.get(), 0, nullptr)) << ::GetLastError();
    ASSERT_TRUE(ReachesState(service.get(), SERVICE_RUNNING));
    const ServiceProcess process(StatusOf(service.get()).dwProcessId);
    ASSERT_TRUE(process.Opened());
    // Installing again over the running service says it runs.
    EXPECT_NE(
        test::RunQuellixOutput(exe_, {"--install-service", iniOption}).text.find("It is running."),
        std::string::npos);

    auto events = trace_->WaitForEvents(2);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], (TracedEvent{"trace", "Quellix Service: started. Purge at 3:00"}));
    // The purge's summary, sent as a warning by an installed service.
    EXPECT_EQ(events[1].kind, "warn");
    EXPECT_TRUE(events[1].text.starts_with("Last purge: ")) << events[1];
    EXPECT_NE(events[1].text.find("Deleted: 1 files"), std::string::npos) << events[1];
    EXPECT_EQ(Folder(), std::vector<std::string>{"recent.txt"});

    SERVICE_STATUS status{};
    ASSERT_TRUE(::ControlService(service.get(), SERVICE_CONTROL_PAUSE, &status));
    EXPECT_TRUE(ReachesState(service.get(), SERVICE_PAUSED));
    ASSERT_TRUE(::ControlService(service.get(), SERVICE_CONTROL_CONTINUE, &status));
    EXPECT_TRUE(ReachesState(service.get(), SERVICE_RUNNING));
    ASSERT_TRUE(::ControlService(service.get(), SERVICE_CONTROL_STOP, &status));
    EXPECT_TRUE(ReachesState(service.get(), SERVICE_STOPPED));
    EXPECT_EQ(process.EndCode(), 0);
    events = trace_->WaitForEvents(5);
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[2], (TracedEvent{"trace", "Quellix Service: paused"}));
    EXPECT_EQ(events[3], (TracedEvent{"trace", "Quellix Service: continued"}));
    EXPECT_EQ(events[4], kStopped);

    // On the schedule, due in this minute (or the next one, which also counts) and checked every
    // two seconds, time enough to pause first: the purge comes while the service is paused.
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    char hour[8];
    std::snprintf(hour, sizeof hour, "%d:%02d", now.wHour, now.wMinute);
    test::WriteDatedFile(folder_ + "old again.txt", 100);
    WriteIni(std::string("Heure=") + hour + "\r\nTemporisation=2\r\n");
    ASSERT_TRUE(::StartServiceW(service.get(), 0, nullptr)) << ::GetLastError();
    ASSERT_TRUE(ReachesState(service.get(), SERVICE_RUNNING));
    const ServiceProcess second(StatusOf(service.get()).dwProcessId);
    events = trace_->WaitForEvents(6);
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[5],
              (TracedEvent{"trace", std::string("Quellix Service: started. Purge at ") + hour}));
    ASSERT_TRUE(::ControlService(service.get(), SERVICE_CONTROL_PAUSE, &status));
    EXPECT_TRUE(ReachesState(service.get(), SERVICE_PAUSED));
    events = trace_->WaitForEvents(8);
    ASSERT_EQ(events.size(), 8u);
    EXPECT_EQ(events[6], (TracedEvent{"trace", "Quellix Service: paused"}));
    EXPECT_TRUE(events[7].text.starts_with("Last purge: ")) << events[7];
    EXPECT_EQ(StatusOf(service.get()).dwCurrentState, static_cast<DWORD>(SERVICE_PAUSED));
    EXPECT_EQ(Folder(), std::vector<std::string>{"recent.txt"});

    ASSERT_TRUE(::ControlService(service.get(), SERVICE_CONTROL_STOP, &status));
    EXPECT_TRUE(ReachesState(service.get(), SERVICE_STOPPED));
    EXPECT_EQ(second.EndCode(), 0);
    events = trace_->WaitForEvents(9);
    ASSERT_EQ(events.size(), 9u);
    EXPECT_EQ(events[8], kStopped);

    // Removing the service while it purges stops it first, and the purge ends at its next file.
    // Enough files that the purge still runs while the uninstalling process starts under a
    // loaded Wine: 500 were all gone before the stop came in a run beside other tests.
    constexpr int kFiles = 3000;
    for (int i = 0; i < kFiles; ++i) {
        test::WriteDatedFile(folder_ + "old " + std::to_string(i) + ".txt", 100);
    }
    WriteIni("PurgeImmediate=1\r\n");
    ASSERT_TRUE(::StartServiceW(service.get(), 0, nullptr)) << ::GetLastError();
    ASSERT_TRUE(ReachesState(service.get(), SERVICE_RUNNING));
    const ServiceProcess third(StatusOf(service.get()).dwProcessId);
    ASSERT_TRUE(WaitFor([&] { return Folder().size() < kFiles + 1; }));
    // Our own handle would keep the service registered until closed.
    service.reset();
    EXPECT_EQ(test::RunQuellix(exe_, {"--uninstall-service"}), 0);
    EXPECT_EQ(third.EndCode(), 0);
    const std::size_t left = Folder().size() - 1;
    EXPECT_GT(left, 0u) << "the purge ended before the stop came";
    events = trace_->WaitForEvents(12);
    ASSERT_EQ(events.size(), 12u);
    EXPECT_EQ(events[9], (TracedEvent{"trace", "Quellix Service: started. Purge at 12:00"}));
    // The stop entry comes when the stop is taken, before or after the summary of the purge it
    // ended.
    const bool stopFirst = events[10] == kStopped;
    EXPECT_EQ(events[stopFirst ? 10 : 11], kStopped);
    const TracedEvent& summary = events[stopFirst ? 11 : 10];
    EXPECT_EQ(summary.kind, "warn");
    EXPECT_NE(summary.text.find("Deleted: " + std::to_string(kFiles - left) + " files"),
              std::string::npos)
        << summary << ", " << left << " left";
    EXPECT_FALSE(OpenQuellix(SERVICE_QUERY_STATUS));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
    EXPECT_EQ(EventMessageFile(), std::nullopt);
}

}  // namespace
}  // namespace quellix
