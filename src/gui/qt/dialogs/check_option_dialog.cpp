#include "gui/qt/dialogs/check_option_dialog.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "gui/qt/common/qt_text.h"
#include "gui/qt/dialogs/dialog_button_row_view.h"

namespace quellix {

CheckOptionDialog::CheckOptionDialog(const CheckOption& option, Settings& settings,
                                     ConfigStore& config, QWidget* parent)
    : QDialog(parent), presenter_(view_, option, settings, config) {
    setObjectName(ToQString(option.dialogName));
    auto* box = new QCheckBox(this);
    box->setObjectName(ToQString(option.boxName));

    const DialogButtonRow buttons = NewDialogButtonRow(*this, box, [this] { presenter_.OnOk(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addSpacing(box->fontMetrics().height());
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    presenter_.Load();
}

void CheckOptionDialog::reject() {
    presenter_.OnCancel();
}

}  // namespace quellix
