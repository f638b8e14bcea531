#pragma once

#include "core/common/settings.h"
#include "core/dialogs/about_presenter.h"
#include "gui/win32/common/modal_dialog.h"

namespace quellix {

// The about box: the program's title and what it does. OK, Enter and Escape close it.
class AboutDialog final : public ModalDialog {
  public:
    static void Open(HWND owner, const Settings& settings);

    explicit AboutDialog(const Settings& settings);

  private:
    void OnInit() override;
    void OnOk() override { presenter_.OnOk(); }
    void OnCancel() override { presenter_.OnCancel(); }

    AboutPresenter presenter_;
};

}  // namespace quellix
