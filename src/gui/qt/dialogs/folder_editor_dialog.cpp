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
#include "gui/qt/common/message_box.h"
#include "gui/qt/common/qt_colour.h"
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

QString FromText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
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
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.WrittenRow();
}

void FolderEditorDialog::SetNextBrowseAnswer(std::optional<QString> answer) {
    NextBrowseAnswer() = std::move(answer);
}

FolderEditorDialog::FolderEditorDialog(const EditorOpening& opening,
                                       const FolderEditorContext& context, QWidget* parent)
    : QDialog(parent), opening_(opening), context_(context) {
    setObjectName("frmRepertoire");
    BuildControls();
    ApplyCaptions();
    ShowOpening();
}

void FolderEditorDialog::BuildControls() {
    auto* lblSelectDrive = Named<QLabel>("lblSelectDrive", this);
    chooser_ = new FolderChooserView(this);
    auto* cmdParcourir = Named<QPushButton>("cmdParcourir", this);
    cmdParcourir->setAutoDefault(false);
    lblDossier_ = Named<QLabel>("lblDossier", this);
    QFont bold = lblDossier_->font();
    bold.setBold(true);
    lblDossier_->setFont(bold);
    lblRepertoire_ = PathLabel("lblRepertoire", this);

    auto* lblRetention = Named<QLabel>("lblRetention", this);
    comboRetention_ = Named<QComboBox>("comboRetention", this);
    comboRetention_->setEditable(true);
    comboRetention_->setInsertPolicy(QComboBox::NoInsert);
    for (const char* preset : kRetentionPresets) {
        comboRetention_->addItem(QString::fromLatin1(preset));
    }
    comboRetention_->setCurrentIndex(-1);
    comboRetention_->setEditText(QString());
    lblRetention->setBuddy(comboRetention_);
    auto* lblHeures = Named<QLabel>("lblHeures", this);
    lblErrRetention_ = SteadyLabel("lblErrRetention", this);
    SetTextColour(lblErrRetention_, ToQColor(Settings::DeleteColour));
    lblErrRetention_->hide();

    auto* frameSousDossiers = Named<QGroupBox>("FrameSousDossiers", this);
    chkSousDossiers_ = Named<QCheckBox>("chkSousDossiers", frameSousDossiers);
    chkEffacerSousDossiersVides_ =
        Named<QCheckBox>("chkEffacerSousDossiersVides", frameSousDossiers);
    chkFichiersLectureSeule_ = Named<QCheckBox>("chkFichiersLectureSeule", frameSousDossiers);
    auto* subfolderLayout = new QVBoxLayout(frameSousDossiers);
    subfolderLayout->addWidget(chkSousDossiers_);
    subfolderLayout->addWidget(chkEffacerSousDossiersVides_);
    subfolderLayout->addWidget(chkFichiersLectureSeule_);

    auto* frameDate = Named<QGroupBox>("frameDate", this);
    auto* dateLayout = new QVBoxLayout(frameDate);
    optDate_ = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(frameDate);
        option->setObjectName(QStringLiteral("optDate%1").arg(i));
        optDate_->addButton(option, i);
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
    SetTextColour(optDestination_->button(0), ToQColor(Settings::DeleteColour));
    SetTextColour(optDestination_->button(1), ToQColor(Settings::RecycleColour));
    cmdAutreDossier_ = Named<QPushButton>("cmdAutreDossier", frameDestination);
    cmdAutreDossier_->setAutoDefault(false);
    lblAutreDossier_ = PathLabel("lblAutreDossier", frameDestination);
    lblAutreDossier_->setFrameShape(QFrame::StyledPanel);
    chkShortCut_ = Named<QCheckBox>("chkShortCut", frameDestination);
    destinationLayout->addWidget(cmdAutreDossier_, 3, 0);
    destinationLayout->addWidget(lblAutreDossier_, 3, 1);
    destinationLayout->addWidget(chkShortCut_, 4, 0, 1, 2);
    destinationLayout->setColumnStretch(1, 1);

    cmdOK_ = Named<QPushButton>("cmdOK", this);
    cmdOK_->setDefault(true);
    auto* cmdAnnuler = Named<QPushButton>("cmdAnnuler", this);
    cmdAnnuler->setAutoDefault(false);

    auto* folderSide = new QVBoxLayout;
    folderSide->addWidget(lblSelectDrive);
    folderSide->addWidget(chooser_, 1);
    folderSide->addWidget(cmdParcourir, 0, Qt::AlignLeft);
    folderSide->addWidget(lblDossier_);
    folderSide->addWidget(lblRepertoire_);

    auto* retentionRow = new QHBoxLayout;
    retentionRow->addWidget(lblRetention);
    retentionRow->addWidget(comboRetention_);
    retentionRow->addWidget(lblHeures);
    retentionRow->addWidget(lblErrRetention_, 1);

    auto* optionSide = new QVBoxLayout;
    optionSide->addLayout(retentionRow);
    optionSide->addWidget(frameSousDossiers);
    optionSide->addWidget(frameDate);
    optionSide->addWidget(frameDestination);
    optionSide->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdAnnuler);

    auto* layout = new QGridLayout(this);
    layout->addLayout(folderSide, 0, 0);
    layout->addLayout(optionSide, 0, 1);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setColumnStretch(0, 1);

    connect(chooser_, &FolderChooserView::PathChanged, this, [this](const QString& path) {
        lblRepertoire_->setText(path);
        lblRepertoire_->setToolTip(path);
    });
    connect(cmdParcourir, &QPushButton::clicked, this, &FolderEditorDialog::Browse);
    connect(comboRetention_, &QComboBox::currentTextChanged, this,
            &FolderEditorDialog::ShowRetentionFeedback);
    connect(chkSousDossiers_, &QCheckBox::toggled, this, &FolderEditorDialog::ApplyControlStates);
    connect(optDestination_, &QButtonGroup::idClicked, this, &FolderEditorDialog::ChooseAction);
    connect(cmdAutreDossier_, &QPushButton::clicked, this, &FolderEditorDialog::ChooseDestination);
    connect(cmdOK_, &QPushButton::clicked, this, &FolderEditorDialog::Confirm);
    connect(cmdAnnuler, &QPushButton::clicked, this, &FolderEditorDialog::reject);
}

void FolderEditorDialog::ApplyCaptions() {
    const Language language = context_.settings.language();
    for (const CaptionEntry& entry : kFolderEditorCaptions) {
        const QString name = FromText(entry.control);
        const QString text = FromText(entry.text.In(language));
        if (auto* label = findChild<QLabel*>(name)) {
            label->setText(text);
        } else if (auto* button = findChild<QAbstractButton*>(name)) {
            button->setText(text);
        } else if (auto* frame = findChild<QGroupBox*>(name)) {
            frame->setTitle(text);
        }
    }
    setWindowTitle(FromText(texts::kEditorTitle.In(language)));
}

void FolderEditorDialog::ShowOpening() {
    const EditorState& state = opening_.state;
    lblRepertoire_->setText(chooser_->Path());
    lblRepertoire_->setToolTip(chooser_->Path());
    const bool positioned =
        opening_.startFolder && chooser_->SetPath(FromPath(*opening_.startFolder));
    // A row to modify whose folder cannot be shown keeps the lists on the current folder.
    ShowFolderWarning(!opening_.target.addMode && !positioned);

    if (!state.retention.empty()) {
        comboRetention_->setEditText(FromText(state.retention));
    }
    chkSousDossiers_->setChecked(state.includeSubfolders);
    chkEffacerSousDossiersVides_->setChecked(state.deleteEmptySubfolders);
    chkFichiersLectureSeule_->setChecked(state.deleteReadOnly);
    optDate_->button(state.dateIndex)->setChecked(true);
    optDestination_->button(state.actionIndex)->setChecked(true);
    ChooseAction(state.actionIndex);
    lblAutreDossier_->setText(FromPath(state.destination));
    lblAutreDossier_->setToolTip(lblAutreDossier_->text());
    chkShortCut_->setChecked(state.createShortcut);
    setWindowTitle(FromText(opening_.title));
}

void FolderEditorDialog::ShowFolderWarning(bool unknown) {
    const Language language = context_.settings.language();
    lblDossier_->setText(
        FromText((unknown ? texts::kUnknownSelectedFolder : texts::kSelectedFolder).In(language)));
    SetTextColour(lblDossier_, unknown ? ToQColor(Settings::DeleteColour)
                                       : palette().color(QPalette::ButtonText));
    if (unknown) {
        QApplication::beep();
    }
}

void FolderEditorDialog::ShowRetentionFeedback(const QString& text) {
    const RetentionFeedback feedback =
        RetentionFeedbackFor(text.toStdString(), context_.settings.language());
    lblErrRetention_->setText(QString::fromStdString(feedback.text));
    lblErrRetention_->setVisible(feedback.visible);
    if (feedback.beep) {
        QApplication::beep();
    }
}

void FolderEditorDialog::ChooseAction(int index) {
    if (index != 2) {
        lblAutreDossier_->clear();
        lblAutreDossier_->setToolTip(QString());
    }
    ApplyControlStates();
}

void FolderEditorDialog::ApplyControlStates() {
    const EditorControlStates states = ControlStatesOf(CurrentState());
    chkEffacerSousDossiersVides_->setEnabled(states.deleteEmptyEnabled);
    cmdAutreDossier_->setEnabled(states.destinationEnabled);
    lblAutreDossier_->setEnabled(states.destinationEnabled);
    chkShortCut_->setEnabled(states.shortcutEnabled);
}

void FolderEditorDialog::Browse() {
    QString folder;
    if (std::optional<QString>& answer = NextBrowseAnswer(); answer.has_value()) {
        folder = *answer;
        answer.reset();
    } else {
        folder = QFileDialog::getExistingDirectory(
            this, FromText(texts::kBrowseTitle.In(context_.settings.language())), chooser_->Path(),
            QFileDialog::ShowDirsOnly);
    }
    if (!folder.isEmpty()) {
        // A folder the lists cannot show leaves them where they were.
        chooser_->SetPath(folder);
    }
}

void FolderEditorDialog::ChooseDestination() {
    const std::optional<std::string> chosen =
        DestinationPickerDialog::Open(this, ToPath(lblAutreDossier_->text()), context_.settings);
    if (chosen) {
        lblAutreDossier_->setText(FromPath(*chosen));
        lblAutreDossier_->setToolTip(lblAutreDossier_->text());
    }
}

void FolderEditorDialog::Confirm() {
    const EditorState state = CurrentState();
    const EditorOkContext okContext{context_.settings, context_.store, context_.folders,
                                    context_.countFiles, context_.homeFolder};
    SetBusy(true);
    EditorOkOutcome outcome = RunEditorOk(opening_.target, state, false, okContext);
    if (outcome.kind == EditorOkOutcome::Kind::AskSystemFolder) {
        SetBusy(false);
        if (MessageBoxes::Show(this, outcome.message) != MessageAnswer::Yes) {
            return;
        }
        SetBusy(true);
        outcome = RunEditorOk(opening_.target, state, true, okContext);
    }
    SetBusy(false);
    if (outcome.kind != EditorOkOutcome::Kind::Written) {
        MessageBoxes::Show(this, outcome.message);
        return;
    }
    written_ = outcome.row;
    accept();
}

void FolderEditorDialog::reject() {
    if (!busy_) {
        QDialog::reject();
    }
}

void FolderEditorDialog::SetBusy(bool busy) {
    if (busy == busy_) {
        return;
    }
    busy_ = busy;
    cmdOK_->setEnabled(!busy);
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

EditorState FolderEditorDialog::CurrentState() const {
    EditorState state;
    state.folder = ToPath(lblRepertoire_->text());
    state.retention = comboRetention_->currentText().toStdString();
    state.includeSubfolders = chkSousDossiers_->isChecked();
    state.deleteEmptySubfolders = chkEffacerSousDossiersVides_->isChecked();
    state.deleteReadOnly = chkFichiersLectureSeule_->isChecked();
    state.dateIndex = std::max(optDate_->checkedId(), 0);
    state.actionIndex = std::max(optDestination_->checkedId(), 0);
    state.destination = ToPath(lblAutreDossier_->text());
    state.createShortcut = chkShortCut_->isChecked();
    return state;
}

}  // namespace quellix
