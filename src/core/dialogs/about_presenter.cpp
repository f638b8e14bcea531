#include "core/dialogs/about_presenter.h"

#include <string>

#include "core/dialogs/about_texts.h"
#include "core/dialogs/dialog_captions.h"

namespace quellix {

AboutPresenter::AboutPresenter(DialogView& view, const Settings& settings)
    : view_(view), settings_(settings) {}

void AboutPresenter::Load() {
    const Language language = settings_.language();
    ShowCaptions(view_, kAboutCaptions, language);
    view_.SetText("lblCredit",
                  settings_.ProgramTitle + std::string(texts::kAboutDescription.In(language)));
    view_.SetFocus("cmdOK");
}

void AboutPresenter::OnOk() {
    view_.Close(true);
}

void AboutPresenter::OnCancel() {
    view_.Close(false);
}

}  // namespace quellix
