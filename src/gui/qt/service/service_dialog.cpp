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

#include "gui/qt/common/qt_text.h"

namespace quellix {

namespace {

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
      view_(*this),
      presenter_(view_, settings, config, service, std::move(console)) {
    setObjectName(ToQString(ServiceDialogPresenter::kWindow));
    BuildControls();
    presenter_.Load();
}

// The texts break lines with "\r\n"; Qt draws "\r" as a glyph of its own.
void ServiceDialog::View::SetText(std::string_view control, std::string_view text) {
    std::string lines(text);
    for (std::size_t at = lines.find("\r\n"); at != std::string::npos;
         at = lines.find("\r\n", at)) {
        lines.erase(at, 1);
    }
    WidgetViewOf::SetText(control, lines);
}

void ServiceDialog::View::Beep() {
    QApplication::beep();
}

void ServiceDialog::BuildControls() {
    auto* info = NewLabel(this, "lblInfo", true);
    // Wide enough that the long notice wraps into a few lines, whatever the font; the hints
    // below keep their own line breaks so that no command is cut.
    info->setMinimumWidth(info->fontMetrics().averageCharWidth() * 72);
    auto* state = NewLabel(this, "lblService", true);
    QFont bold = state->font();
    bold.setBold(true);
    state->setFont(bold);

    auto* interact = new QCheckBox(this);
    interact->setObjectName("chkInteract");
    auto* interactWarning = NewLabel(this, "lblInteract", false);
    QPalette red = interactWarning->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    interactWarning->setPalette(red);
    QSizePolicy keepRoom = interactWarning->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    interactWarning->setSizePolicy(keepRoom);
    connect(interact, &QCheckBox::toggled, this, [this] { presenter_.OnInteractClicked(); });
    auto* debug = new QCheckBox(this);
    debug->setObjectName("chkDebug");

    auto* frame = new QGroupBox(this);
    frame->setObjectName("frameType");
    auto* typeLayout = new QVBoxLayout(frame);
    QRadioButton* types[3] = {};
    for (int index = 0; index < 3; ++index) {
        types[index] = new QRadioButton(frame);
        types[index]->setObjectName(QStringLiteral("optType%1").arg(index));
        typeLayout->addWidget(types[index]);
    }

    auto* installHint = NewLabel(this, "lblInstall", false);
    auto* install = NewButton(this, "cmdInstall");
    connect(install, &QPushButton::clicked, this, [this] { presenter_.OnInstall(); });
    auto* removeHint = NewLabel(this, "lblRemove", false);
    auto* remove = NewButton(this, "cmdRemove");
    connect(remove, &QPushButton::clicked, this, [this] { presenter_.OnRemove(); });
    // Enter must not install by accident: it cancels.
    auto* cancel = NewButton(this, "cmdAnnuler");
    cancel->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, [this] { presenter_.OnCancel(); });

    auto* options = new QVBoxLayout;
    options->addWidget(interact);
    options->addWidget(interactWarning);
    options->addWidget(debug);
    options->addStretch(1);
    auto* choices = new QHBoxLayout;
    choices->addLayout(options, 1);
    choices->addWidget(frame, 0, Qt::AlignTop);

    auto* actions = new QGridLayout;
    actions->addWidget(installHint, 0, 0);
    actions->addWidget(install, 0, 1, Qt::AlignTop);
    actions->addWidget(removeHint, 1, 0);
    actions->addWidget(remove, 1, 1, Qt::AlignTop);
    actions->setColumnStretch(0, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addWidget(NewLine(this, "Line1"));
    layout->addWidget(state);
    layout->addLayout(choices);
    layout->addWidget(NewLine(this, "Line2"));
    layout->addLayout(actions);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(interact, debug);
    setTabOrder(debug, types[0]);
    setTabOrder(types[0], install);
    setTabOrder(install, remove);
    setTabOrder(remove, cancel);
}

}  // namespace quellix
