#include "dialogs/destination_picker_dialog.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_captions_view.h"
#include "dialogs/folder_chooser_view.h"
#include "dialogs/picker_texts.h"

namespace quellix {

std::optional<std::string> DestinationPickerDialog::Open(QWidget* editor,
                                                         const std::string& currentDestination,
                                                         const Settings& settings) {
    DestinationPickerDialog dialog(editor, settings);
    dialog.StartAt(currentDestination);
    if (editor != nullptr) {
        dialog.move(editor->window()->pos());
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Chosen();
}

DestinationPickerDialog::DestinationPickerDialog(QWidget* parent, const Settings& settings)
    : QDialog(parent), chooser_(new FolderChooserView(this)) {
    setObjectName("frmAutreDossier");

    auto* selectDrive = new QLabel(this);
    selectDrive->setObjectName("lblSelectDrive");
    selectDrive->setBuddy(chooser_->DriveList());

    auto* ok = new QPushButton(this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(this);
    cancel->setObjectName("cmdAnnuler");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(selectDrive);
    layout->addWidget(chooser_, 1);
    layout->addLayout(buttons);

    setTabOrder(chooser_->DriveList(), chooser_);
    setTabOrder(chooser_, ok);
    setTabOrder(ok, cancel);
    chooser_->setFocus();
    ApplyDialogCaptions(*this, kDestinationPickerCaptions, settings.language());
}

void DestinationPickerDialog::StartAt(const std::string& destination) {
    if (!destination.empty()) {
        chooser_->SetPath(QFile::decodeName(QByteArray::fromStdString(destination)));
    }
}

std::string DestinationPickerDialog::Chosen() const {
    return QFile::encodeName(chooser_->Path()).toStdString();
}

}  // namespace quellix
