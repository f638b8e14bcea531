#include "gui/qt/dialogs/destination_picker_dialog.h"

#include <QFile>
#include <QLabel>
#include <QVBoxLayout>

#include "core/dialogs/picker_texts.h"
#include "gui/qt/common/dialog_captions_view.h"
#include "gui/qt/dialogs/dialog_button_row_view.h"
#include "gui/qt/dialogs/folder_chooser_view.h"

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

    const DialogButtonRow buttons = NewDialogButtonRow(*this, chooser_, [this] { accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(selectDrive);
    layout->addWidget(chooser_, 1);
    layout->addLayout(buttons.layout);

    setTabOrder(chooser_->DriveList(), chooser_);
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
