#include "core/mainwindow/main_window_presenter.h"

#include <optional>

#include "core/common/service_host.h"
#include "core/mainwindow/captions.h"
#include "core/mainwindow/scheduler.h"
#include "core/mainwindow/undo_command.h"

namespace quellix {

namespace {

constexpr std::string_view kWindow = "frmPurgeNN";
constexpr std::string_view kPurgeTime = "lblHeurePurge";
constexpr std::string_view kLastPurge = "lblDernierePurge";
constexpr std::string_view kStatus = "lblMaj";
constexpr std::string_view kBusy = "imgRefresh";
constexpr std::string_view kServiceMode = "lblMode";

}  // namespace

MainWindowPresenter::MainWindowPresenter(MainWindowView& view, TrayView& tray,
                                         DialogOpener& dialogs, MainWindowContext context)
    : view_(view),
      tray_(tray),
      dialogs_(dialogs),
      context_(std::move(context)),
      settings_(context_.program.settings) {}

bool MainWindowPresenter::Load() {
    view_.SetText(kWindow, MainWindowTitle(settings_));
    SetChecks();
    view_.SetStartsMinimized(settings_.DemarrageAutomatiqueLancement);
    view_.SetChecked("chkPurgeImmediate", settings_.PurgeImmediate);
    if (settings_.PurgeImmediate) {
        context_.scheduler.SetImmediate(true);
    }
    view_.SetText(kPurgeTime, PurgeTimeText(settings_));
    view_.SetText(kLastPurge, LastPurgeStatusText(settings_));
    SetBusyVisible(false);
    FolderListChanged();
    if (!settings_.RunOnce) {
        tray_.Show(settings_.ProgramTitle);
    }
    view_.SetVisible(kServiceMode, false);
    switch (CheckInstalledService(settings_, context_.service, context_.frontEnd)) {
        case InstalledServiceOutcome::ServiceProcess:
            // The service process is ended by the service manager, never from its window.
            exitDisabled_ = true;
            view_.SetVisible(kServiceMode, true);
            break;
        case InstalledServiceOutcome::EndProgram:
            tray_.Remove();
            return false;
        case InstalledServiceOutcome::Removed:
        case InstalledServiceOutcome::NotInstalled:
            break;
    }
    ApplyEnabling();
    return true;
}

void MainWindowPresenter::ApplyCaptions() {
    for (const Caption& caption : CaptionsFor(settings_)) {
        switch (caption.property) {
            case CaptionProperty::CheckMark:
                view_.SetChecked(caption.control, caption.checked);
                break;
            case CaptionProperty::ToolTip:
                view_.SetToolTip(caption.control, caption.text);
                break;
            case CaptionProperty::Caption:
                view_.SetText(caption.control, caption.text);
                break;
        }
    }
    view_.RefreshGrid();
}

void MainWindowPresenter::ShowAtStart() {
    if (!settings_.DemarrageAutomatiqueLancement) {
        view_.ShowMaximized();
    } else if (!tray_.Available()) {
        // Without a notification area a hidden window could never be found again.
        view_.ShowMinimized();
    }
}

void MainWindowPresenter::SetLastPurgeText(std::string_view text) {
    view_.SetText(kLastPurge, text);
}

void MainWindowPresenter::SetStatusText(std::string_view text) {
    view_.SetText(kStatus, text);
}

void MainWindowPresenter::SetBusyVisible(bool visible) {
    view_.SetVisible(kStatus, visible);
    view_.SetVisible(kBusy, visible);
}

void MainWindowPresenter::ShowHourglassFrame(int frame) {
    view_.ShowHourglassFrame(frame);
}

void MainWindowPresenter::SetPurgeTimeVisible(bool visible) {
    view_.SetVisible(kPurgeTime, visible);
}

void MainWindowPresenter::SetSchedulerMode(SchedulerMode mode) {
    mode_ = mode;
    view_.SetTimerRunning(mode == SchedulerMode::Running);
    ApplyEnabling();
}

void MainWindowPresenter::FolderListChanged() {
    view_.RefreshGrid();
    UpdateEmptyListHint();
}

void MainWindowPresenter::SetChecks() {
    for (const MenuDefinition& menu : MenuBarMenus()) {
        for (const MenuItem& item : menu.items) {
            if (item.Checkable()) {
                view_.SetChecked(item.name, IsTicked(item.tick, settings_));
            }
        }
    }
}

void MainWindowPresenter::ApplyEnabling() {
    const MainWindowControls controls = ControlsFor(mode_, settings_.IsNt);
    view_.SetEnabled("cmdDemarrer", controls.startEnabled);
    view_.SetEnabled("cmdArreter", controls.stopEnabled);
    view_.SetEnabled("chkPurgeImmediate", controls.immediateEnabled);
    for (const std::string_view name :
         {"mnuModifierHeure", "mnuTemporisation", "mnuEditerIni", "mnuDossiers"}) {
        view_.SetEnabled(name, controls.settingsMenusEnabled);
    }
    view_.SetEnabled("mnuService", controls.serviceMenuEnabled);
    view_.SetEnabled("mnuQuitter", !exitDisabled_);
}

void MainWindowPresenter::UpdateEmptyListHint() {
    const bool empty = context_.program.folders.Size() == 0;
    view_.SetVisible("lblBulle", empty);
    for (const std::string_view name : {"cmdDemarrer", "cmdArreter", "chkPurgeImmediate"}) {
        view_.SetVisible(name, !empty);
    }
}

void MainWindowPresenter::OnCommand(std::string_view item) {
    if (const MenuItem* found = FindMenuItem(item)) {
        Run(found->command);
    }
}

void MainWindowPresenter::Run(MenuCommand command) {
    switch (command) {
        case MenuCommand::ShowWindow:
            view_.Restore();
            break;
        case MenuCommand::Exit:
            if (OnCloseRequested()) {
                view_.Close(true);
            }
            break;
        case MenuCommand::AutomaticStart:
            dialogs_.OpenAutomaticStart();
            SetChecks();
            break;
        case MenuCommand::AllObsolete:
            dialogs_.OpenAllObsolete();
            SetChecks();
            break;
        case MenuCommand::ShortPathnames:
            ToggleShortPathnames(settings_, *context_.program.config);
            view_.SetChecked("mnuUseShortPathnames", settings_.UseShortPathnames);
            // Even while the schedule runs: the counts follow the option at once.
            context_.countPass();
            break;
        case MenuCommand::PurgeTime:
            OpenPurgeTime();
            break;
        case MenuCommand::TimeBetweenUpdates:
            dialogs_.OpenTimeBetweenUpdates();
            break;
        case MenuCommand::EditConfiguration:
            EditConfigurationFile(Commands());
            break;
        case MenuCommand::Service:
            OpenService();
            break;
        case MenuCommand::AddBefore:
            OpenFolderEditor(FolderEdit::AddBefore);
            break;
        case MenuCommand::AddAfter:
            OpenFolderEditor(FolderEdit::AddAfter);
            break;
        case MenuCommand::Modify:
            OpenFolderEditor(FolderEdit::Modify);
            break;
        case MenuCommand::Remove:
            RemoveSelected();
            break;
        case MenuCommand::PreviewPurge:
            PreviewPurge(false);
            break;
        case MenuCommand::PreviewSelected:
            PreviewPurge(true);
            break;
        case MenuCommand::UndoLastPurge:
            UndoLastPurge();
            break;
        case MenuCommand::LogFolder:
            dialogs_.OpenLogFolder();
            SetChecks();
            break;
        case MenuCommand::ViewLogs:
            dialogs_.ShowLogViewer();
            break;
        case MenuCommand::LogRetention:
            dialogs_.OpenLogRetention();
            SetChecks();
            break;
        case MenuCommand::SwitchLanguage:
            SwitchLanguage(settings_, *context_.program.config, context_.program.folders);
            ApplyCaptions();
            break;
        case MenuCommand::Help:
            ShowHelp(Commands());
            break;
        case MenuCommand::About:
            dialogs_.OpenAbout();
            break;
    }
}

void MainWindowPresenter::OnStart() {
    context_.scheduler.Start();
}

void MainWindowPresenter::OnStop() {
    context_.scheduler.Stop();
}

void MainWindowPresenter::OnImmediateClicked(bool ticked) {
    context_.scheduler.SetImmediate(ticked);
}

void MainWindowPresenter::OnTimer() {
    context_.scheduler.Tick();
}

void MainWindowPresenter::OnPurgeTimeClicked() {
    // In every state of the schedule, unlike its menu item.
    OpenPurgeTime();
}

void MainWindowPresenter::OnGridDoubleClicked() {
    OpenFolderEditor(FolderEdit::Modify);
}

void MainWindowPresenter::OnDeleteKey() {
    if (Stopped() && view_.CurrentRow() >= 0) {
        RemoveSelected();
    }
}

void MainWindowPresenter::OnContextMenu() {
    const ContextMenuState state =
        PrepareContextMenu(Stopped(), context_.program.folders.Size(), settings_.language());
    view_.SetEnabled("mnuAjouterAvant", state.addBeforeEnabled);
    view_.SetText("mnuAjouterAvant", state.addBeforeCaption);
    view_.SetEnabled("mnuAjouterApres", state.addAfterEnabled);
    view_.SetVisible("mnuAjouterApres", state.addAfterVisible);
    view_.SetEnabled("mnuModifier", state.modifyEnabled);
    view_.SetEnabled("mnuSupprimer", state.removeEnabled);
    // A preview changes nothing: any schedule state will do, but not another walk.
    view_.SetEnabled("mnuApercu", view_.CurrentRow() >= 0 && !context_.work.Busy());
    view_.PopUpContextMenu();
}

void MainWindowPresenter::OnTrayLeftClick() {
    if (!view_.IsShownToUser()) {
        view_.Restore();
    } else if (tray_.Available()) {
        view_.Hide();
    } else {
        view_.ShowMinimized();
    }
}

void MainWindowPresenter::OnMinimized() {
    // Reached again from the tray icon; where there is none, the task bar keeps it.
    if (tray_.Available()) {
        view_.Hide();
    }
}

void MainWindowPresenter::OnActivated() {
    if (!ServiceInstalledHere()) {
        UpdateEmptyListHint();
    }
}

bool MainWindowPresenter::OnCloseRequested() {
    if (quitting_) {
        return true;
    }
    if (exitDisabled_ || !ConfirmExit(settings_, context_.frontEnd)) {
        return false;
    }
    quitting_ = true;
    tray_.Remove();
    context_.quit(0);
    return true;
}

void MainWindowPresenter::OpenPurgeTime() {
    if (dialogs_.OpenPurgeTime()) {
        view_.SetText(kPurgeTime, PurgeTimeText(settings_));
    }
}

void MainWindowPresenter::OpenService() {
    switch (dialogs_.OpenService()) {
        case ServiceChange::Installed:
            // The service takes over the purging: this copy ends.
            view_.SetVisible(kServiceMode, true);
            quitting_ = true;
            tray_.Remove();
            context_.quit(0);
            break;
        case ServiceChange::Removed:
            view_.SetVisible(kServiceMode, false);
            break;
        case ServiceChange::None:
            break;
    }
}

void MainWindowPresenter::OpenFolderEditor(FolderEdit edit) {
    // Rows may not change while a count or purge walks them, nor while the schedule runs.
    if (!Stopped() || context_.work.Busy()) {
        return;
    }
    const int selected = view_.CurrentRow();
    if (edit == FolderEdit::Modify && selected < 0) {
        return;
    }
    const auto written = dialogs_.OpenFolderEditor(edit, selected);
    FolderListChanged();
    if (written) {
        view_.ShowRow(*written);
    }
}

void MainWindowPresenter::RemoveSelected() {
    // Rows may not change while a count or purge walks them.
    if (!Stopped() || context_.work.Busy()) {
        return;
    }
    view_.SetBusyCursor(true);
    RemoveSelectedFolder(Commands(), view_.CurrentRow());
    view_.SetBusyCursor(false);
    UpdateEmptyListHint();
}

void MainWindowPresenter::PreviewPurge(bool selectedOnly) {
    FolderList selected;
    if (selectedOnly) {
        const int row = view_.CurrentRow();
        if (row < 0 || static_cast<std::size_t>(row) >= context_.program.folders.Size()) {
            return;
        }
        // The entry as the run would take it, with the count that says whether it is passed over.
        selected.Append(context_.program.folders.Entries()[static_cast<std::size_t>(row)]);
    }
    std::optional<PurgePreview> preview;
    context_.work.TryRun([&] {
        view_.SetBusyCursor(true);
        preview = context_.preview(selectedOnly ? selected : context_.program.folders);
        view_.SetBusyCursor(false);
    });
    // Refused while a count or purge walks, and of no use once the program is ending.
    if (preview && !quitting_) {
        dialogs_.ShowPurgePreview(*preview);
    }
}

void MainWindowPresenter::UndoLastPurge() {
    // Files may not move back while a count or purge walks their folders.
    bool restored = false;
    context_.work.TryRun([&] {
        UndoLastPurgeCommand(settings_, context_.frontEnd, [&restored] { restored = true; });
    });
    // The counts show what came back.
    if (restored && !quitting_) {
        context_.countPass();
    }
}

CommandContext MainWindowPresenter::Commands() {
    return {settings_,
            *context_.program.config,
            context_.program.folders,
            context_.frontEnd,
            context_.open,
            context_.exists,
            context_.edit};
}

bool MainWindowPresenter::ServiceInstalledHere() const {
    return settings_.IsNt && context_.service.IsInstalled();
}

}  // namespace quellix
