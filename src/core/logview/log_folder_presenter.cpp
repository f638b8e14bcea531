#include "core/logview/log_folder_presenter.h"

#include "core/logview/log_settings_rules.h"
#include "core/logview/log_settings_texts.h"
#include "platform/file_system.h"

namespace quellix {

namespace {

constexpr std::string_view kSwitch = "chkLogs";
constexpr std::string_view kFolderLabel = "lblDossier";
constexpr std::string_view kFolderControls[] = {"lblTitre", "Lecteurs", "Chemins", kFolderLabel};

}  // namespace

LogFolderPresenter::LogFolderPresenter(LogFolderView& view, Settings& settings, ConfigStore& config)
    : view_(view), settings_(settings), config_(config) {}

void LogFolderPresenter::Load() {
    view_.SetText(kWindow, settings_.ProgramTitle);
    ShowCaptions(view_, kLogFolderCaptions, settings_.language());
    view_.SetChecked(kSwitch, settings_.Logs);
    OnSwitchClicked();
    if (platform::IsExistingDirectory(settings_.PathLogs)) {
        view_.ShowFolder(settings_.PathLogs);
    }
    OnFolderChanged();
}

void LogFolderPresenter::OnSwitchClicked() {
    const bool on = view_.IsChecked(kSwitch);
    for (const std::string_view control : kFolderControls) {
        view_.SetEnabled(control, on);
    }
}

void LogFolderPresenter::OnFolderChanged() {
    view_.SetText(kFolderLabel, StoredLogFolder(view_.CurrentFolder()));
}

void LogFolderPresenter::OnOk() {
    ApplyLogFolder(view_.IsChecked(kSwitch), view_.CurrentFolder(), settings_, config_);
    accepted_ = true;
    view_.Close(true);
}

void LogFolderPresenter::OnCancel() {
    view_.Close(false);
}

}  // namespace quellix
