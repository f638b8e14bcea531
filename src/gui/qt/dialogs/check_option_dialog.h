#pragma once

#include <QDialog>
#include <functional>
#include <span>

#include "core/common/language.h"
#include "core/mainwindow/caption_texts.h"

class QCheckBox;

namespace quellix {

// What tells one check-box option dialog from the other.
struct CheckOption {
    const char* dialogName;
    const char* boxName;
    std::span<const CaptionEntry> captions;
};

// A dialog of one check box: OK hands the box's state to apply and closes; Cancel and the close
// box change nothing.
class CheckOptionDialog : public QDialog {
    Q_OBJECT

  public:
    CheckOptionDialog(const CheckOption& option, Language language, bool checked,
                      std::function<void(bool)> apply, QWidget* parent);

  private:
    QCheckBox* box_;
    std::function<void(bool)> apply_;
};

}  // namespace quellix
