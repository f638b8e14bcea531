#include "gui/qt/dialogs/folder_editor_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/dialogs/folder_editor_texts.h"
#include "gui/qt/common/qt_text.h"
#include "gui/qt/dialogs/destination_picker_dialog.h"
#include "gui/qt/dialogs/folder_chooser_view.h"

namespace quellix {

namespace {

std::optional<QString>& NextBrowseAnswer() {
    static std::optional<QString> answer;
    return answer;
}

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string ToPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A label that keeps its place in the layout while hidden, so the dialog does not jump.
QLabel* SteadyLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QSizePolicy policy = label->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    label->setSizePolicy(policy);
    return label;
}

// A path label that does not widen the dialog; a long path is read in its tooltip.
QLabel* PathLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// The labels that show a folder rather than a caption.
QLabel* PathLabelOf(QDialog& dialog, std::string_view control) {
    if (control != "lblRepertoire" && control != "lblAutreDossier") {
        return nullptr;
    }
    return dialog.findChild<QLabel*>(ToQString(control));
}

template <typename Widget>
Widget* Named(const char* name, QWidget* parent) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    return widget;
}

}  // namespace

std::optional<std::size_t> FolderEditorDialog::Open(QWidget* parent, FolderEditorMode mode,
                                                    std::ptrdiff_t selectedRow,
                                                    const FolderEditorContext& context) {
    const std::optional<EditorOpening> opening =
        OpenFolderEditor(mode, selectedRow, context.folders, context.settings.language());
    if (!opening) {
        return std::nullopt;
    }
    FolderEditorDialog dialog(*opening, context, parent);
    dialog.exec();
    return dialog.WrittenRow();
}

void FolderEditorDialog::SetNextBrowseAnswer(std::optional<QString> answer) {
    NextBrowseAnswer() = std::move(answer);
}

FolderEditorDialog::FolderEditorDialog(const EditorOpening& opening,
                                       const FolderEditorContext& context, QWidget* parent)
    : QDialog(parent),
      view_(*this, context.settings),
      presenter_(view_, opening,
                 EditorOkContext{context.settings, context.store, context.folders,
                                 context.countFiles, context.homeFolder}) {
    setObjectName(ToQString(FolderEditorPresenter::kWindow));
    BuildControls();
    presenter_.Load();
    // Connected once loaded: the opening shows its choices without reacting to them.
    Connect();
}

void FolderEditorDialog::BuildControls() {
    auto* lblSelectDrive = Named<QLabel>("lblSelectDrive", this);
    chooser_ = new FolderChooserView(this);
    cmdParcourir_ = Named<QPushButton>("cmdParcourir", this);
    cmdParcourir_->setAutoDefault(false);
    auto* lblDossier = Named<QLabel>("lblDossier", this);
    QFont bold = lblDossier->font();
    bold.setBold(true);
    lblDossier->setFont(bold);
    auto* lblRepertoire = PathLabel("lblRepertoire", this);

    auto* lblRetention = Named<QLabel>("lblRetention", this);
    comboRetention_ = Named<QComboBox>("comboRetention", this);
    comboRetention_->setEditable(true);
    comboRetention_->setInsertPolicy(QComboBox::NoInsert);
    // Room for a long retention with its decimals ("100000.5") at the current font.
    comboRetention_->setMinimumContentsLength(9);
    comboRetention_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    for (const char* preset : kRetentionPresets) {
        comboRetention_->addItem(QString::fromLatin1(preset));
    }
    comboRetention_->setCurrentIndex(-1);
    comboRetention_->setEditText(QString());
    lblRetention->setBuddy(comboRetention_);
    auto* lblHeures = Named<QLabel>("lblHeures", this);
    auto* lblErrRetention = SteadyLabel("lblErrRetention", this);

    auto* frameSousDossiers = Named<QGroupBox>("FrameSousDossiers", this);
    chkSousDossiers_ = Named<QCheckBox>("chkSousDossiers", frameSousDossiers);
    auto* chkEffacerSousDossiersVides =
        Named<QCheckBox>("chkEffacerSousDossiersVides", frameSousDossiers);
    auto* chkFichiersLectureSeule = Named<QCheckBox>("chkFichiersLectureSeule", frameSousDossiers);
    auto* subfolderLayout = new QVBoxLayout(frameSousDossiers);
    subfolderLayout->addWidget(chkSousDossiers_);
    subfolderLayout->addWidget(chkEffacerSousDossiersVides);
    subfolderLayout->addWidget(chkFichiersLectureSeule);

    auto* frameDate = Named<QGroupBox>("frameDate", this);
    auto* dateLayout = new QVBoxLayout(frameDate);
    auto* optDate = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(frameDate);
        option->setObjectName(QStringLiteral("optDate%1").arg(i));
        optDate->addButton(option, i);
        dateLayout->addWidget(option);
    }

    auto* frameDestination = Named<QGroupBox>("frameDestination", this);
    auto* destinationLayout = new QGridLayout(frameDestination);
    optDestination_ = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(frameDestination);
        option->setObjectName(QStringLiteral("optDestination%1").arg(i));
        optDestination_->addButton(option, i);
        destinationLayout->addWidget(option, i, 0, 1, 2);
    }
    cmdAutreDossier_ = Named<QPushButton>("cmdAutreDossier", frameDestination);
    cmdAutreDossier_->setAutoDefault(false);
    auto* lblAutreDossier = PathLabel("lblAutreDossier", frameDestination);
    lblAutreDossier->setFrameShape(QFrame::StyledPanel);
    auto* chkShortCut = Named<QCheckBox>("chkShortCut", frameDestination);
    destinationLayout->addWidget(cmdAutreDossier_, 3, 0);
    destinationLayout->addWidget(lblAutreDossier, 3, 1);
    destinationLayout->addWidget(chkShortCut, 4, 0, 1, 2);
    destinationLayout->setColumnStretch(1, 1);

    cmdOK_ = Named<QPushButton>("cmdOK", this);
    cmdOK_->setDefault(true);
    cmdAnnuler_ = Named<QPushButton>("cmdAnnuler", this);
    cmdAnnuler_->setAutoDefault(false);

    auto* folderSide = new QVBoxLayout;
    folderSide->addWidget(lblSelectDrive);
    folderSide->addWidget(chooser_, 1);
    folderSide->addWidget(cmdParcourir_, 0, Qt::AlignLeft);
    folderSide->addWidget(lblDossier);
    folderSide->addWidget(lblRepertoire);

    auto* retentionRow = new QHBoxLayout;
    retentionRow->addWidget(lblRetention);
    retentionRow->addWidget(comboRetention_);
    retentionRow->addWidget(lblHeures);
    retentionRow->addWidget(lblErrRetention, 1);

    auto* optionSide = new QVBoxLayout;
    optionSide->addLayout(retentionRow);
    optionSide->addWidget(frameSousDossiers);
    optionSide->addWidget(frameDate);
    optionSide->addWidget(frameDestination);
    optionSide->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdAnnuler_);

    auto* layout = new QGridLayout(this);
    layout->addLayout(folderSide, 0, 0);
    layout->addLayout(optionSide, 0, 1);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setColumnStretch(0, 1);
}

void FolderEditorDialog::Connect() {
    connect(chooser_, &FolderChooserView::PathChanged, this,
            [this] { presenter_.OnFolderChanged(); });
    connect(cmdParcourir_, &QPushButton::clicked, this, [this] { presenter_.OnBrowse(); });
    connect(comboRetention_, &QComboBox::currentTextChanged, this,
            [this] { presenter_.OnRetentionChanged(); });
    connect(chkSousDossiers_, &QCheckBox::toggled, this,
            [this] { presenter_.OnSubfoldersToggled(); });
    connect(optDestination_, &QButtonGroup::idClicked, this,
            [this] { presenter_.OnActionChosen(); });
    connect(cmdAutreDossier_, &QPushButton::clicked, this,
            [this] { presenter_.OnChooseDestination(); });
    connect(cmdOK_, &QPushButton::clicked, this, [this] { presenter_.OnOk(); });
    connect(cmdAnnuler_, &QPushButton::clicked, this, &FolderEditorDialog::reject);
}

// The retention box shows its edit text; the path labels keep the file system's own encoding and
// show a long path whole in their tooltip.
void FolderEditorDialog::View::SetText(std::string_view control, std::string_view text) {
    if (control == "comboRetention") {
        dialog_.comboRetention_->setEditText(ToQString(text));
    } else if (auto* label = PathLabelOf(dialog_, control)) {
        const QString path = FromPath(std::string(text));
        label->setText(path);
        label->setToolTip(path);
    } else {
        WidgetViewOf::SetText(control, text);
    }
}

std::string FolderEditorDialog::View::Text(std::string_view control) const {
    if (control == "comboRetention") {
        return dialog_.comboRetention_->currentText().toStdString();
    }
    if (auto* label = PathLabelOf(dialog_, control)) {
        return ToPath(label->text());
    }
    return WidgetViewOf::Text(control);
}

bool FolderEditorDialog::View::ShowFolder(const std::string& folder) {
    return dialog_.chooser_->SetPath(FromPath(folder));
}

std::string FolderEditorDialog::View::CurrentFolder() const {
    return ToPath(dialog_.chooser_->Path());
}

std::optional<std::string> FolderEditorDialog::View::BrowseFolder(std::string_view title,
                                                                  const std::string& start) {
    if (std::optional<QString>& answer = NextBrowseAnswer(); answer.has_value()) {
        const QString folder = *answer;
        answer.reset();
        return ToPath(folder);
    }
    const QString folder = QFileDialog::getExistingDirectory(
        &dialog_, ToQString(title), FromPath(start), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return ToPath(folder);
}

std::optional<std::string> FolderEditorDialog::View::PickDestination(const std::string& current) {
    return DestinationPickerDialog::Open(&dialog_, current, settings_);
}

void FolderEditorDialog::View::ShowBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void FolderEditorDialog::View::Beep() {
    QApplication::beep();
}

}  // namespace quellix
