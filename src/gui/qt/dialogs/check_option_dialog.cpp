#include "gui/qt/dialogs/check_option_dialog.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "gui/qt/common/dialog_captions_view.h"
#include "gui/qt/dialogs/dialog_button_row_view.h"

namespace quellix {

CheckOptionDialog::CheckOptionDialog(const CheckOption& option, Language language, bool checked,
                                     std::function<void(bool)> apply, QWidget* parent)
    : QDialog(parent), box_(new QCheckBox(this)), apply_(std::move(apply)) {
    setObjectName(option.dialogName);
    box_->setObjectName(option.boxName);
    box_->setChecked(checked);

    const DialogButtonRow buttons = NewDialogButtonRow(*this, box_, [this] {
        apply_(box_->isChecked());
        accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box_);
    layout->addSpacing(box_->fontMetrics().height());
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ApplyDialogCaptions(*this, option.captions, language);
    box_->setFocus();
}

}  // namespace quellix
