#include "core/dialogs/check_option_presenter.h"

#include "core/dialogs/dialog_captions.h"

namespace quellix {

CheckOptionPresenter::CheckOptionPresenter(DialogView& view, const CheckOption& option,
                                           Settings& settings, ConfigStore& config)
    : view_(view), option_(option), settings_(settings), config_(config) {}

void CheckOptionPresenter::Load() {
    ShowCaptions(view_, option_.captions, settings_.language());
    view_.SetChecked(option_.boxName, settings_.*option_.setting);
    view_.SetFocus(option_.boxName);
}

void CheckOptionPresenter::OnOk() {
    option_.apply(view_.IsChecked(option_.boxName), settings_, config_);
    accepted_ = true;
    view_.Close(true);
}

void CheckOptionPresenter::OnCancel() {
    view_.Close(false);
}

}  // namespace quellix
