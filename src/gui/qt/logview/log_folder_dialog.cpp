#include "gui/qt/logview/log_folder_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/logview/log_settings_rules.h"
#include "core/logview/log_settings_texts.h"
#include "gui/qt/common/dialog_captions_view.h"
#include "gui/qt/dialogs/dialog_button_row_view.h"
#include "gui/qt/dialogs/folder_chooser_view.h"

namespace quellix {

bool LogFolderDialog::Open(QWidget* parent, Settings& settings, ConfigStore& config) {
    LogFolderDialog dialog(settings, config, parent);
    return dialog.exec() == QDialog::Accepted;
}

LogFolderDialog::LogFolderDialog(Settings& settings, ConfigStore& config, QWidget* parent)
    : QDialog(parent), settings_(settings), config_(config) {
    setObjectName("frmPathLogs");
    BuildControls();
    setWindowTitle(QString::fromStdString(settings_.ProgramTitle));
    ApplyDialogCaptions(*this, kLogFolderCaptions, settings_.language());
    logsOn_->setChecked(settings_.Logs);
    FollowSwitch();
    // A log folder removed since leaves the lists where they start.
    folders_->SetPath(QString::fromStdString(settings_.PathLogs));
    ShowFolder(folders_->Path());
}

void LogFolderDialog::BuildControls() {
    logsOn_ = new QCheckBox(this);
    logsOn_->setObjectName("chkLogs");
    connect(logsOn_, &QCheckBox::clicked, this, [this] { FollowSwitch(); });
    title_ = new QLabel(this);
    title_->setObjectName("lblTitre");
    folders_ = new FolderChooserView(this);
    folders_->setObjectName("folderChooser");
    folders_->DriveList()->setObjectName("Lecteurs");
    if (auto* tree = folders_->findChild<QTreeView*>("dirList")) {
        tree->setObjectName("Chemins");
    }
    title_->setBuddy(folders_->DriveList());
    folder_ = new QLabel(this);
    folder_->setObjectName("lblDossier");
    folder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(folders_, &FolderChooserView::PathChanged, this, &LogFolderDialog::ShowFolder);

    const DialogButtonRow buttons = NewDialogButtonRow(*this, nullptr, [this] { Ok(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logsOn_);
    layout->addWidget(title_);
    layout->addWidget(folders_, 1);
    layout->addWidget(folder_);
    layout->addLayout(buttons.layout);
    resize(420, 440);
}

void LogFolderDialog::FollowSwitch() {
    const bool on = logsOn_->isChecked();
    for (QWidget* control : {static_cast<QWidget*>(title_), static_cast<QWidget*>(folders_),
                             static_cast<QWidget*>(folder_)}) {
        control->setEnabled(on);
    }
}

// The label shows the folder exactly as OK stores it.
void LogFolderDialog::ShowFolder(const QString& pathWithSlash) {
    folder_->setText(QString::fromStdString(StoredLogFolder(pathWithSlash.toStdString())));
}

void LogFolderDialog::Ok() {
    ApplyLogFolder(logsOn_->isChecked(), folders_->Path().toStdString(), settings_, config_);
    accept();
}

}  // namespace quellix
