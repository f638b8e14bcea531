#include "gui/qt/dialogs/tempo_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/dialogs/option_rules.h"
#include "core/dialogs/option_texts.h"
#include "gui/qt/common/dialog_captions_view.h"
#include "gui/qt/common/message_box.h"
#include "gui/qt/dialogs/dialog_button_row_view.h"
#include "gui/qt/dialogs/up_down_view.h"

namespace quellix {

namespace {

QString ToQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

bool TempoDialog::Open(QWidget* parent, Settings& settings, ConfigStore& config,
                       SchedulerState& scheduler) {
    TempoDialog dialog(settings, config, scheduler, parent);
    return dialog.exec() == QDialog::Accepted;
}

TempoDialog::TempoDialog(Settings& settings, ConfigStore& config, SchedulerState& scheduler,
                         QWidget* parent)
    : QDialog(parent), settings_(settings), config_(config), scheduler_(scheduler) {
    setObjectName("frmTempo");
    BuildControls();
    const Language language = settings_.language();
    setWindowTitle(QString::fromStdString(settings_.ProgramTitle));
    ApplyDialogCaptions(*this, kTempoCaptions, language);
    hint_->setText(ToQt(texts::kTempoHint.In(language)));
    seconds_->setText(QString::number(settings_.Temporisation));
}

void TempoDialog::BuildControls() {
    auto* title = new QLabel(this);
    title->setObjectName("lblTempo");
    auto* every = new QLabel(this);
    every->setObjectName("lblChaque");
    seconds_ = new QLineEdit(this);
    seconds_->setObjectName("Text1");
    QFont bold = seconds_->font();
    bold.setBold(true);
    seconds_->setFont(bold);
    seconds_->setAlignment(Qt::AlignCenter);
    seconds_->setMaximumWidth(seconds_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                              12);
    every->setBuddy(seconds_);
    auto* arrows = new UpDownView(seconds_, this);
    arrows->setObjectName("UpDown1");
    connect(arrows, &UpDownView::UpPressed, this, [this] { Step(true); });
    connect(arrows, &UpDownView::DownPressed, this, [this] { Step(false); });
    auto* unit = new QLabel(this);
    unit->setObjectName("lblSecondes");

    auto* counts = new QLabel(this);
    counts->setObjectName("Label2");
    hint_ = new QLabel(this);
    hint_->setObjectName("Label1");
    QPalette red = hint_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    hint_->setPalette(red);
    QSizePolicy keepRoom = hint_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    hint_->setSizePolicy(keepRoom);

    auto* box = new QHBoxLayout;
    box->setSpacing(2);
    box->addWidget(seconds_);
    box->addWidget(arrows);
    auto* row = new QHBoxLayout;
    row->addWidget(every);
    row->addLayout(box);
    row->addWidget(unit);
    row->addStretch(1);

    const DialogButtonRow buttons = NewDialogButtonRow(*this, seconds_, [this] { Ok(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(row);
    layout->addWidget(counts);
    layout->addWidget(hint_);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    seconds_->setFocus();
}

void TempoDialog::Step(bool up) {
    const std::string text = seconds_->text().toStdString();
    const Language language = settings_.language();
    const TempoStep step = up ? StepTempoUp(text, language) : StepTempoDown(text, language);
    if (step.limitMessage) {
        hint_->setText(QString::fromStdString(*step.limitMessage));
        hint_->show();
    } else {
        hint_->hide();
    }
    seconds_->setText(QString::number(step.value));
    seconds_->repaint();
}

void TempoDialog::Ok() {
    const std::string text = seconds_->text().toStdString();
    if (const auto refusal = RunTempoOk(text, settings_, config_, scheduler_)) {
        MessageBoxes::Show(this, *refusal);
        return;
    }
    accept();
}

}  // namespace quellix
