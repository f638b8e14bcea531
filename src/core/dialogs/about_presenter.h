#pragma once

#include "core/common/dialog_view.h"
#include "core/common/settings.h"

namespace quellix {

// The about box frmAbout: the program's title and what it does, and one button that closes it.
class AboutPresenter {
  public:
    AboutPresenter(DialogView& view, const Settings& settings);

    // The title and the credit line, in the language of the moment.
    void Load();
    // OK and Enter.
    void OnOk();
    // Escape and the close box.
    void OnCancel();

  private:
    DialogView& view_;
    const Settings& settings_;
};

}  // namespace quellix
