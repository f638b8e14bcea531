#include "core/service/service_dialog_presenter.h"

#include <utility>

#include "core/service/service_dialog_texts.h"

namespace quellix {

namespace {

constexpr std::string_view kStateLine = "lblService";
constexpr std::string_view kInteract = "chkInteract";
constexpr std::string_view kInteractWarning = "lblInteract";
constexpr std::string_view kDebug = "chkDebug";
// By start type: Automatic, Manual, Disabled.
constexpr std::string_view kStartTypes[] = {"optType0", "optType1", "optType2"};

}  // namespace

ServiceChange ChangeOf(ServiceDialogOutcome outcome) {
    switch (outcome) {
        case ServiceDialogOutcome::Installed:
            return ServiceChange::Installed;
        case ServiceDialogOutcome::Removed:
            return ServiceChange::Removed;
        case ServiceDialogOutcome::Closed:
            break;
    }
    return ServiceChange::None;
}

ServiceDialogPresenter::ServiceDialogPresenter(ServiceDialogView& view, Settings& settings,
                                               ConfigStore& config, ServiceHost& service,
                                               ServiceConsole console)
    : view_(view),
      settings_(settings),
      config_(config),
      service_(service),
      console_(std::move(console)) {}

void ServiceDialogPresenter::Load() {
    ShowCaptions(view_, kServiceDialogCaptions, settings_.language());
    const ServiceDialogLoad load = LoadServiceDialog(settings_, service_, console_);
    view_.SetText(kStateLine, load.stateLine);
    view_.SetText("lblInstall", load.installHint);
    view_.SetText("lblRemove", load.removeHint);
    ShowRegistration(load);
    view_.SetChecked(kDebug, load.debug);
}

void ServiceDialogPresenter::ShowRegistration(const ServiceDialogLoad& load) {
    for (int type = 0; type < 3; ++type) {
        view_.SetChecked(kStartTypes[type], type == static_cast<int>(load.startType));
    }
    view_.SetChecked(kInteract, load.interact);
    view_.SetVisible(kInteractWarning, load.interact);
}

void ServiceDialogPresenter::OnInteractClicked() {
    view_.SetVisible(kInteractWarning, view_.IsChecked(kInteract));
}

ServiceStartType ServiceDialogPresenter::ChosenStartType() const {
    if (view_.IsChecked(kStartTypes[0])) {
        return ServiceStartType::Automatic;
    }
    return view_.IsChecked(kStartTypes[1]) ? ServiceStartType::Manual : ServiceStartType::Disabled;
}

void ServiceDialogPresenter::ShowState(const std::string& line, bool beep) {
    view_.SetText(kStateLine, line);
    if (beep) {
        view_.Beep();
    }
}

void ServiceDialogPresenter::OnInstall() {
    const ServiceInstallResult result =
        RunServiceInstall({ChosenStartType(), view_.IsChecked(kInteract), view_.IsChecked(kDebug)},
                          settings_, config_, service_, console_);
    ShowState(result.stateLine, result.beep);
    if (!result.installed) {
        return;
    }
    outcome_ = ServiceDialogOutcome::Installed;
    if (result.message) {
        view_.ShowMessage(*result.message);
    }
    view_.Close(true);
}

void ServiceDialogPresenter::OnRemove() {
    const ServiceRemoveResult result = RunServiceRemove(settings_, service_);
    ShowState(result.stateLine, result.beep);
    if (result.removed) {
        outcome_ = ServiceDialogOutcome::Removed;
        // What a service to be installed starts with, not the removed one's settings.
        ShowRegistration(LoadServiceDialog(settings_, service_, console_));
    }
}

void ServiceDialogPresenter::OnCancel() {
    view_.Close(false);
}

}  // namespace quellix
