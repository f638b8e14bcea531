#include "gui/qt/logview/log_folder_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

#include "gui/qt/common/qt_text.h"
#include "gui/qt/dialogs/dialog_button_row_view.h"
#include "gui/qt/dialogs/folder_chooser_view.h"

namespace quellix {

bool LogFolderDialog::Open(QWidget* parent, Settings& settings, ConfigStore& config) {
    LogFolderDialog dialog(settings, config, parent);
    return dialog.exec() == QDialog::Accepted;
}

LogFolderDialog::LogFolderDialog(Settings& settings, ConfigStore& config, QWidget* parent)
    : QDialog(parent), view_(*this), presenter_(view_, settings, config) {
    setObjectName(ToQString(LogFolderPresenter::kWindow));
    BuildControls();
    presenter_.Load();
}

void LogFolderDialog::BuildControls() {
    auto* logsOn = new QCheckBox(this);
    logsOn->setObjectName("chkLogs");
    connect(logsOn, &QCheckBox::clicked, this, [this] { presenter_.OnSwitchClicked(); });
    auto* title = new QLabel(this);
    title->setObjectName("lblTitre");
    folders_ = new FolderChooserView(this);
    folders_->setObjectName("folderChooser");
    folders_->DriveList()->setObjectName("Lecteurs");
    if (auto* tree = folders_->findChild<QTreeView*>("dirList")) {
        tree->setObjectName("Chemins");
    }
    title->setBuddy(folders_->DriveList());
    auto* folder = new QLabel(this);
    folder->setObjectName("lblDossier");
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(folders_, &FolderChooserView::PathChanged, this,
            [this] { presenter_.OnFolderChanged(); });

    const DialogButtonRow buttons =
        NewDialogButtonRow(*this, nullptr, [this] { presenter_.OnOk(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logsOn);
    layout->addWidget(title);
    layout->addWidget(folders_, 1);
    layout->addWidget(folder);
    layout->addLayout(buttons.layout);
    resize(420, 440);
}

void LogFolderDialog::View::ShowFolder(const std::string& folder) {
    dialog_.folders_->SetPath(ToQString(folder));
}

std::string LogFolderDialog::View::CurrentFolder() const {
    return ToUtf8(dialog_.folders_->Path());
}

}  // namespace quellix
