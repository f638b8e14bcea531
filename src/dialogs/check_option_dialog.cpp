#include "dialogs/check_option_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_captions_view.h"

namespace quellix {

CheckOptionDialog::CheckOptionDialog(const CheckOption& option, Language language, bool checked,
                                     std::function<void(bool)> apply, QWidget* parent)
    : QDialog(parent), box_(new QCheckBox(this)), apply_(std::move(apply)) {
    setObjectName(option.dialogName);
    box_->setObjectName(option.boxName);
    box_->setChecked(checked);

    auto* ok = new QPushButton(this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        apply_(box_->isChecked());
        accept();
    });
    auto* cancel = new QPushButton(this);
    cancel->setObjectName("cmdAnnuler");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box_);
    layout->addSpacing(box_->fontMetrics().height());
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ApplyDialogCaptions(*this, option.captions, language);
    setTabOrder(box_, ok);
    setTabOrder(ok, cancel);
    box_->setFocus();
}

}  // namespace quellix
