#include "gui/qt/dialogs/dialog_button_row_view.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace quellix {

DialogButtonRow NewDialogButtonRow(QDialog& dialog, QWidget* previous, std::function<void()> onOk) {
    auto* ok = new QPushButton(&dialog);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, std::move(onOk));
    auto* cancel = new QPushButton(&dialog);
    cancel->setObjectName("cmdAnnuler");
    // Enter stays with OK even while Cancel has the focus.
    cancel->setAutoDefault(false);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);

    auto* layout = new QHBoxLayout;
    layout->addStretch(1);
    layout->addWidget(ok);
    layout->addWidget(cancel);

    if (previous != nullptr) {
        QWidget::setTabOrder(previous, ok);
    }
    QWidget::setTabOrder(ok, cancel);
    return {ok, cancel, layout};
}

}  // namespace quellix
