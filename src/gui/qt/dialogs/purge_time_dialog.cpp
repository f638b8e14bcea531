#include "gui/qt/dialogs/purge_time_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <array>

#include "gui/qt/dialogs/dialog_button_row_view.h"
#include "gui/qt/dialogs/up_down_view.h"

namespace quellix {

namespace {

QLineEdit* NewTimeBox(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
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
    : QDialog(parent), presenter_(view_, settings, config) {
    setObjectName("frmHeure");
    BuildControls();
    presenter_.Load();
    // Connected after loading: the boxes' own texts are not a change.
    for (const char* name : {"txtHeures", "txtMinutes"}) {
        connect(findChild<QLineEdit*>(name), &QLineEdit::textChanged, this,
                [this, name] { presenter_.OnTextChanged(name); });
    }
}

void PurgeTimeDialog::reject() {
    presenter_.OnCancel();
}

void PurgeTimeDialog::BuildControls() {
    auto* hoursLabel = new QLabel(this);
    hoursLabel->setObjectName("Label1");
    auto* minutesLabel = new QLabel(this);
    minutesLabel->setObjectName("Label2");
    QLineEdit* hours = NewTimeBox("txtHeures", this);
    QLineEdit* minutes = NewTimeBox("txtMinutes", this);
    hoursLabel->setBuddy(hours);
    minutesLabel->setBuddy(minutes);
    auto* hoursArrows = new UpDownView(hours, this);
    hoursArrows->setObjectName("UpDownHeures");
    auto* minutesArrows = new UpDownView(minutes, this);
    minutesArrows->setObjectName("UpDownMinutes");
    for (const auto& [arrows, box] :
         {std::pair{hoursArrows, "txtHeures"}, std::pair{minutesArrows, "txtMinutes"}}) {
        connect(arrows, &UpDownView::UpPressed, this,
                [this, box] { presenter_.OnStep(box, true); });
        connect(arrows, &UpDownView::DownPressed, this,
                [this, box] { presenter_.OnStep(box, false); });
    }

    auto* error = new QLabel(this);
    error->setObjectName("lblErreur");
    // Showing the error must not move the controls below it.
    QSizePolicy keepRoom = error->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    error->setSizePolicy(keepRoom);

    auto* time = new QGridLayout;
    time->addWidget(hoursLabel, 0, 0, 1, 2);
    time->addWidget(hours, 1, 0);
    time->addWidget(hoursArrows, 1, 1);
    time->setColumnMinimumWidth(2, hoursLabel->fontMetrics().horizontalAdvance(QLatin1Char('M')));
    time->addWidget(minutesLabel, 0, 3, 1, 2);
    time->addWidget(minutes, 1, 3);
    time->addWidget(minutesArrows, 1, 4);
    time->setHorizontalSpacing(2);
    time->setColumnStretch(5, 1);

    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame1");
    auto* dayList = new QVBoxLayout(frame);
    std::array<QCheckBox*, 7> days{};
    for (std::size_t i = 0; i < days.size(); ++i) {
        days[i] = new QCheckBox(frame);
        days[i]->setObjectName(QStringLiteral("chkJours%1").arg(i + 1));
        dayList->addWidget(days[i]);
    }

    const DialogButtonRow buttons =
        NewDialogButtonRow(*this, days.back(), [this] { presenter_.OnOk(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(time);
    layout->addWidget(error);
    layout->addWidget(frame);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(hours, minutes);
    setTabOrder(minutes, days[0]);
    for (std::size_t i = 1; i < days.size(); ++i) {
        setTabOrder(days[i - 1], days[i]);
    }
}

}  // namespace quellix
