#include "gui/qt/dialogs/purge_time_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/dialogs/purge_time_texts.h"
#include "gui/qt/common/dialog_captions_view.h"
#include "gui/qt/common/message_box.h"
#include "gui/qt/dialogs/dialog_button_row_view.h"
#include "gui/qt/dialogs/up_down_view.h"

namespace quellix {

namespace {

QString ToQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLineEdit* NewTimeBox(const char* name, const char* initialText, QWidget* parent) {
    auto* box = new QLineEdit(QString::fromLatin1(initialText), parent);
    box->setObjectName(name);
    box->setAlignment(Qt::AlignCenter);
    // Room for a few characters more than two digits, so that what was typed stays readable.
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                         box->textMargins().left() + box->textMargins().right() + 12);
    return box;
}

}  // namespace

bool PurgeTimeDialog::Open(QWidget* parent, Settings& settings, ConfigStore& config) {
    PurgeTimeDialog dialog(settings, config, parent);
    return dialog.exec() == QDialog::Accepted;
}

PurgeTimeDialog::PurgeTimeDialog(Settings& settings, ConfigStore& config, QWidget* parent)
    : QDialog(parent), settings_(settings), config_(config) {
    setObjectName("frmHeure");
    BuildControls();
    const Language language = settings_.language();
    ApplyDialogCaptions(*this, kPurgeTimeCaptions, language);
    for (std::size_t i = 0; i < days_.size(); ++i) {
        days_[i]->setText(ToQt(texts::kWeekdayNames[i].In(language)));
    }

    const PurgeTimeOpening opening = OpenPurgeTime(settings_);
    for (std::size_t i = 0; i < days_.size(); ++i) {
        days_[i]->setChecked(opening.days[i]);
    }
    connect(hours_, &QLineEdit::textChanged, this, [this] { BoxChanged(TimeBox::Hours, hours_); });
    connect(minutes_, &QLineEdit::textChanged, this,
            [this] { BoxChanged(TimeBox::Minutes, minutes_); });
    // Filled after the connections: filling a box checks it like any other change.
    if (opening.hours) {
        hours_->setText(QString::fromStdString(*opening.hours));
    }
    if (opening.minutes) {
        minutes_->setText(QString::fromStdString(*opening.minutes));
    }
}

void PurgeTimeDialog::BuildControls() {
    auto* hoursLabel = new QLabel(this);
    hoursLabel->setObjectName("Label1");
    auto* minutesLabel = new QLabel(this);
    minutesLabel->setObjectName("Label2");
    hours_ = NewTimeBox("txtHeures", texts::kHoursBoxInitialText, this);
    minutes_ = NewTimeBox("txtMinutes", texts::kMinutesBoxInitialText, this);
    hoursLabel->setBuddy(hours_);
    minutesLabel->setBuddy(minutes_);
    auto* hoursArrows = new UpDownView(hours_, this);
    hoursArrows->setObjectName("UpDownHeures");
    auto* minutesArrows = new UpDownView(minutes_, this);
    minutesArrows->setObjectName("UpDownMinutes");
    connect(hoursArrows, &UpDownView::UpPressed, this,
            [this] { Step(TimeBox::Hours, hours_, true); });
    connect(hoursArrows, &UpDownView::DownPressed, this,
            [this] { Step(TimeBox::Hours, hours_, false); });
    connect(minutesArrows, &UpDownView::UpPressed, this,
            [this] { Step(TimeBox::Minutes, minutes_, true); });
    connect(minutesArrows, &UpDownView::DownPressed, this,
            [this] { Step(TimeBox::Minutes, minutes_, false); });

    error_ = new QLabel(this);
    error_->setObjectName("lblErreur");
    QPalette red = error_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    error_->setPalette(red);
    // Showing the error must not move the controls below it.
    QSizePolicy keepRoom = error_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    error_->setSizePolicy(keepRoom);
    error_->hide();

    auto* time = new QGridLayout;
    time->addWidget(hoursLabel, 0, 0, 1, 2);
    time->addWidget(hours_, 1, 0);
    time->addWidget(hoursArrows, 1, 1);
    time->setColumnMinimumWidth(2, hoursLabel->fontMetrics().horizontalAdvance(QLatin1Char('M')));
    time->addWidget(minutesLabel, 0, 3, 1, 2);
    time->addWidget(minutes_, 1, 3);
    time->addWidget(minutesArrows, 1, 4);
    time->setHorizontalSpacing(2);
    time->setColumnStretch(5, 1);

    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame1");
    auto* dayList = new QVBoxLayout(frame);
    for (std::size_t i = 0; i < days_.size(); ++i) {
        days_[i] = new QCheckBox(frame);
        days_[i]->setObjectName(QStringLiteral("chkJours%1").arg(i + 1));
        dayList->addWidget(days_[i]);
    }

    const DialogButtonRow buttons = NewDialogButtonRow(*this, days_.back(), [this] { Ok(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(time);
    layout->addWidget(error_);
    layout->addWidget(frame);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(hours_, minutes_);
    setTabOrder(minutes_, days_[0]);
    for (std::size_t i = 1; i < days_.size(); ++i) {
        setTabOrder(days_[i - 1], days_[i]);
    }
    hours_->setFocus();
}

void PurgeTimeDialog::BoxChanged(TimeBox box, QLineEdit* edit) {
    const TimeBoxCheck check = CheckTimeBox(box, edit->text().toStdString(), settings_.language());
    if (!check.valid) {
        error_->setText(QString::fromStdString(check.error));
        error_->show();
        return;
    }
    error_->hide();
    const QString text = QString::fromStdString(check.text);
    if (edit->text() != text) {
        edit->setText(text);  // checks again, and finds it valid
    }
}

void PurgeTimeDialog::Step(TimeBox box, QLineEdit* edit, bool up) {
    if (const auto next = StepTimeBox(box, edit->text().toStdString(), up)) {
        edit->setText(QString::fromStdString(*next));
    }
}

void PurgeTimeDialog::Ok() {
    PurgeTimeChoice choice;
    choice.hours = hours_->text().toStdString();
    choice.minutes = minutes_->text().toStdString();
    for (std::size_t i = 0; i < days_.size(); ++i) {
        choice.days[i] = days_[i]->isChecked();
    }
    if (const auto refusal = RunPurgeTimeOk(choice, settings_, config_)) {
        MessageBoxes::Show(this, *refusal);
        return;
    }
    accept();
}

}  // namespace quellix
