#include "gui/qt/dialogs/destination_picker_dialog.h"

#include <QFile>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/qt/common/qt_text.h"
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
    dialog.exec();
    return dialog.Chosen();
}

DestinationPickerDialog::DestinationPickerDialog(QWidget* parent, const Settings& settings)
    : QDialog(parent), view_(*this), presenter_(view_, settings) {
    setObjectName(ToQString(DestinationPickerPresenter::kWindow));
    BuildControls();
    presenter_.Load();
}

void DestinationPickerDialog::BuildControls() {
    chooser_ = new FolderChooserView(this);
    auto* selectDrive = new QLabel(this);
    selectDrive->setObjectName("lblSelectDrive");
    selectDrive->setBuddy(chooser_->DriveList());

    const DialogButtonRow buttons =
        NewDialogButtonRow(*this, chooser_, [this] { presenter_.OnOk(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(selectDrive);
    layout->addWidget(chooser_, 1);
    layout->addLayout(buttons.layout);

    setTabOrder(chooser_->DriveList(), chooser_);
    chooser_->setFocus();
}

// Paths go through the file system's own encoding, not UTF-8, so any folder name survives.
void DestinationPickerDialog::View::ShowFolder(const std::string& folder) {
    dialog_.chooser_->SetPath(QFile::decodeName(QByteArray::fromStdString(folder)));
}

std::string DestinationPickerDialog::View::CurrentFolder() const {
    return QFile::encodeName(dialog_.chooser_->Path()).toStdString();
}

}  // namespace quellix
