#include "core/dialogs/destination_picker_presenter.h"

#include "core/dialogs/picker_texts.h"
#include "platform/file_system.h"

namespace quellix {

DestinationPickerPresenter::DestinationPickerPresenter(DestinationPickerView& view,
                                                       const Settings& settings)
    : view_(view), settings_(settings) {}

void DestinationPickerPresenter::Load() {
    ShowCaptions(view_, kDestinationPickerCaptions, settings_.language());
}

void DestinationPickerPresenter::StartAt(const std::string& destination) {
    if (!destination.empty() && platform::IsExistingDirectory(destination)) {
        view_.ShowFolder(destination);
    }
}

void DestinationPickerPresenter::OnOk() {
    chosen_ = view_.CurrentFolder();
    view_.Close(true);
}

void DestinationPickerPresenter::OnCancel() {
    chosen_.reset();
    view_.Close(false);
}

}  // namespace quellix
