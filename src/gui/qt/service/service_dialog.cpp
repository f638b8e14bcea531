#include "gui/qt/service/service_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/service/service_dialog_texts.h"
#include "gui/qt/common/dialog_captions_view.h"
#include "gui/qt/common/message_box.h"

namespace quellix {

namespace {

// The texts break lines with "\r\n"; Qt draws "\r" as a glyph of its own.
QString ToQt(std::string_view text) {
    QString qt = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    qt.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return qt;
}

QLabel* NewLabel(QWidget* parent, const char* name, bool wrap) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(wrap);
    return label;
}

QFrame* NewLine(QWidget* parent, const char* name) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QPushButton* NewButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

ServiceDialogOutcome ServiceDialog::Open(QWidget* parent, Settings& settings, ConfigStore& config,
                                         ServiceHost& service) {
    ServiceDialog dialog(settings, config, service, ServiceConsoleOfThisUser(), parent);
    dialog.exec();
    return dialog.Outcome();
}

ServiceDialog::ServiceDialog(Settings& settings, ConfigStore& config, ServiceHost& service,
                             ServiceConsole console, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      config_(config),
      service_(service),
      console_(std::move(console)) {
    setObjectName("frmAdminService");
    BuildControls();
    Load();
}

void ServiceDialog::BuildControls() {
    auto* info = NewLabel(this, "lblInfo", true);
    // Wide enough that the long notice wraps into a few lines, whatever the font; the hints
    // below keep their own line breaks so that no command is cut.
    info->setMinimumWidth(info->fontMetrics().averageCharWidth() * 72);
    state_ = NewLabel(this, "lblService", true);
    QFont bold = state_->font();
    bold.setBold(true);
    state_->setFont(bold);

    interact_ = new QCheckBox(this);
    interact_->setObjectName("chkInteract");
    interactWarning_ = NewLabel(this, "lblInteract", false);
    QPalette red = interactWarning_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    interactWarning_->setPalette(red);
    QSizePolicy keepRoom = interactWarning_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    interactWarning_->setSizePolicy(keepRoom);
    connect(interact_, &QCheckBox::toggled, interactWarning_, &QLabel::setVisible);
    debug_ = new QCheckBox(this);
    debug_->setObjectName("chkDebug");

    auto* frame = new QGroupBox(this);
    frame->setObjectName("frameType");
    auto* typeLayout = new QVBoxLayout(frame);
    for (int index = 0; index < 3; ++index) {
        types_[index] = new QRadioButton(frame);
        types_[index]->setObjectName(QStringLiteral("optType%1").arg(index));
        typeLayout->addWidget(types_[index]);
    }

    installHint_ = NewLabel(this, "lblInstall", false);
    auto* install = NewButton(this, "cmdInstall");
    connect(install, &QPushButton::clicked, this, &ServiceDialog::Install);
    removeHint_ = NewLabel(this, "lblRemove", false);
    auto* remove = NewButton(this, "cmdRemove");
    connect(remove, &QPushButton::clicked, this, &ServiceDialog::Remove);
    // Enter must not install by accident: it cancels.
    auto* cancel = NewButton(this, "cmdAnnuler");
    cancel->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* options = new QVBoxLayout;
    options->addWidget(interact_);
    options->addWidget(interactWarning_);
    options->addWidget(debug_);
    options->addStretch(1);
    auto* choices = new QHBoxLayout;
    choices->addLayout(options, 1);
    choices->addWidget(frame, 0, Qt::AlignTop);

    auto* actions = new QGridLayout;
    actions->addWidget(installHint_, 0, 0);
    actions->addWidget(install, 0, 1, Qt::AlignTop);
    actions->addWidget(removeHint_, 1, 0);
    actions->addWidget(remove, 1, 1, Qt::AlignTop);
    actions->setColumnStretch(0, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addWidget(NewLine(this, "Line1"));
    layout->addWidget(state_);
    layout->addLayout(choices);
    layout->addWidget(NewLine(this, "Line2"));
    layout->addLayout(actions);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(interact_, debug_);
    setTabOrder(debug_, types_[0]);
    setTabOrder(types_[0], install);
    setTabOrder(install, remove);
    setTabOrder(remove, cancel);
}

void ServiceDialog::Load() {
    const Language language = settings_.language();
    ApplyDialogCaptions(*this, kServiceDialogCaptions, language);
    debug_->setText(ToQt(debug_->text().toStdString()));
    const ServiceDialogLoad load = LoadServiceDialog(settings_, service_, console_);
    state_->setText(ToQt(load.stateLine));
    installHint_->setText(ToQt(load.installHint));
    removeHint_->setText(ToQt(load.removeHint));
    types_[static_cast<int>(load.startType)]->setChecked(true);
    interact_->setChecked(load.interact);
    interactWarning_->setVisible(load.interact);
    debug_->setChecked(load.debug);
}

ServiceStartType ServiceDialog::ChosenStartType() const {
    if (types_[0]->isChecked()) {
        return ServiceStartType::Automatic;
    }
    return types_[1]->isChecked() ? ServiceStartType::Manual : ServiceStartType::Disabled;
}

void ServiceDialog::Install() {
    const ServiceInstallResult result =
        RunServiceInstall({ChosenStartType(), interact_->isChecked(), debug_->isChecked()},
                          settings_, config_, service_, console_);
    state_->setText(ToQt(result.stateLine));
    if (result.beep) {
        QApplication::beep();
    }
    if (!result.installed) {
        return;
    }
    outcome_ = ServiceDialogOutcome::Installed;
    if (result.message) {
        MessageBoxes::Show(this, *result.message);
    }
    accept();
}

void ServiceDialog::Remove() {
    const ServiceRemoveResult result = RunServiceRemove(settings_, service_);
    state_->setText(ToQt(result.stateLine));
    if (result.beep) {
        QApplication::beep();
    }
    if (result.removed) {
        outcome_ = ServiceDialogOutcome::Removed;
    }
}

}  // namespace quellix
