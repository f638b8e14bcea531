#include "core/config/startup.h"

#include <optional>

#include "core/common/error_report.h"
#include "core/common/front_end.h"
#include "core/common/service_host.h"
#include "core/config/config_error.h"
#include "core/config/config_texts.h"
#include "core/config/folder_list_store.h"
#include "core/config/ini_file.h"
#include "core/config/running_system.h"
#include "core/config/settings_reader.h"
#include "platform/clock.h"
#include "platform/config_file.h"
#include "platform/leftover_temporaries.h"

namespace quellix {

namespace {

void ReportAlreadyRunning(const Settings& settings, ServiceHost& service, FrontEnd& frontEnd) {
    const std::string text(texts::kAlreadyRunning.In(settings.language()));
    if (ReportsGoToEventLog(settings, service)) {
        service.WriteEventLog(text, EventType::Error);
        return;
    }
    frontEnd.ShowMessage({text, "Quellix - " + settings.Version, MessageIcon::Exclamation,
                          MessageButtons::Ok, MessageAnswer::Ok});
}

StartupOutcome Fail(const ConfigError& error, ProgramState& state, ServiceHost& service,
                    FrontEnd& frontEnd) {
    ConfigErrorReport(error, state.settings, service, frontEnd);
    return StartupOutcome::ConfigError;
}

}  // namespace

std::optional<ConfigError> ConfigFileRefusal(platform::ConfigFileState state) {
    switch (state) {
        case platform::ConfigFileState::TooLarge:
            return ConfigError{ConfigErrorKind::FileTooLarge, "", ""};
        case platform::ConfigFileState::Untrusted:
            return ConfigError{ConfigErrorKind::FileOthersCanChange, "", ""};
        case platform::ConfigFileState::UnsafeLink:
            return ConfigError{ConfigErrorKind::FileThroughUnsafeLink, "", ""};
        default:
            return std::nullopt;
    }
}

StartupOutcome RunStartup(const StartupRequest& request, ProgramState& state, FrontEnd& frontEnd,
                          ServiceHost& service) {
    Settings& settings = state.settings;
    SetBuildVersion(settings);
    settings.CommandLine = request.commandLine.upperCased;
    settings.RunOnce = request.commandLine.runOnce;
    settings.ProgramFolder = request.files.ownFolder;
    settings.HelpFolder = request.files.helpFolder;

    const RunningSystem system = DescribeRunningSystem();
    settings.IsNt = system.isNt;
    settings.OsDescription = system.description;
    state.scheduler.LastPurgeDay = 0;
    if (!settings.RunOnce) {
        frontEnd.Progress().ShowLoadingWindow(settings.ProgramTitle);
    }

    settings.ConfigPath = request.files.configPath;
    settings.JournalPath = request.files.journalPath;
    // An installed copy's first start: the first write creates the file, not its folder.
    PrepareConfigFolder(request.files);
    auto file = std::make_unique<IniFile>(settings.ConfigPath);
    const platform::ConfigFileState fileState = file->FileState();
    state.config = std::move(file);
    ConfigStore& config = *state.config;
    // Before anything is read from it: the language, too, is the file's to choose.
    if (auto error = ConfigFileRefusal(fileState)) {
        return Fail(*error, state, service, frontEnd);
    }

    ReadStartupFlags(config, settings);
    frontEnd.Progress().SetLoadingMessage(texts::kLoadingFolders.In(settings.language()));

    state.instanceLock = platform::TryAcquireInstanceLock(settings.ConfigPath);
    if (!state.instanceLock) {
        ReportAlreadyRunning(settings, service, frontEnd);
        return StartupOutcome::AlreadyRunning;
    }
    // No other copy writes the file now, and this one has not begun to: what temporaries of it
    // are left come from writers killed on the way.
    if (state.instanceLock->ExcludesEveryWriter()) {
        platform::RemoveLeftoverTemporaries(settings.ConfigPath, platform::SystemClock().Now());
    }

    if (auto error = ReadSchedule(config, settings)) {
        return Fail(*error, state, service, frontEnd);
    }
    if (auto error = ReadPurgeOptions(config, settings)) {
        return Fail(*error, state, service, frontEnd);
    }
    ReadStatisticsAndPaths(config, settings);

    if (!frontEnd.Window().CreateMainWindow()) {
        return StartupOutcome::EndedByMainWindow;
    }
    frontEnd.Window().ApplyCaptions();
    if (auto error = LoadFolderList(config, settings, state.folders, frontEnd)) {
        return Fail(*error, state, service, frontEnd);
    }
    frontEnd.Window().FolderListChanged();
    frontEnd.Window().SetStatusText(texts::kUpdating.In(settings.language()));
    ReadLogSettings(config, settings);

    frontEnd.Window().SetBusyVisible(true);
    if (!settings.RunOnce) {
        frontEnd.Window().ShowMainWindow();
    }
    frontEnd.RunCountPass();
    frontEnd.Window().SetBusyVisible(false);
    frontEnd.Progress().HideLoadingWindow();

    if (settings.DemarrageAutomatiqueLancement) {
        frontEnd.RunStartCommand();
    }
    return settings.RunOnce ? StartupOutcome::RunOnceFinished : StartupOutcome::Running;
}

}  // namespace quellix
