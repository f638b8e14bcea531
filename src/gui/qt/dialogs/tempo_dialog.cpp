#include "gui/qt/dialogs/tempo_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/qt/dialogs/dialog_button_row_view.h"
#include "gui/qt/dialogs/up_down_view.h"

namespace quellix {

bool TempoDialog::Open(QWidget* parent, Settings& settings, ConfigStore& config,
                       SchedulerState& scheduler) {
    TempoDialog dialog(settings, config, scheduler, parent);
    return dialog.exec() == QDialog::Accepted;
}

TempoDialog::TempoDialog(Settings& settings, ConfigStore& config, SchedulerState& scheduler,
                         QWidget* parent)
    : QDialog(parent), presenter_(view_, settings, config, scheduler) {
    setObjectName("frmTempo");
    BuildControls();
    presenter_.Load();
}

void TempoDialog::reject() {
    presenter_.OnCancel();
}

void TempoDialog::BuildControls() {
    auto* title = new QLabel(this);
    title->setObjectName("lblTempo");
    auto* every = new QLabel(this);
    every->setObjectName("lblChaque");
    auto* seconds = new QLineEdit(this);
    seconds->setObjectName("Text1");
    QFont bold = seconds->font();
    bold.setBold(true);
    seconds->setFont(bold);
    seconds->setAlignment(Qt::AlignCenter);
    seconds->setMaximumWidth(seconds->fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                             12);
    every->setBuddy(seconds);
    auto* arrows = new UpDownView(seconds, this);
    arrows->setObjectName("UpDown1");
    // Painted at once, so that a held arrow shows every value it passes.
    for (const bool up : {true, false}) {
        connect(arrows, up ? &UpDownView::UpPressed : &UpDownView::DownPressed, this,
                [this, seconds, up] {
                    presenter_.OnStep(up);
                    seconds->repaint();
                });
    }
    auto* unit = new QLabel(this);
    unit->setObjectName("lblSecondes");

    auto* counts = new QLabel(this);
    counts->setObjectName("Label2");
    auto* hint = new QLabel(this);
    hint->setObjectName("Label1");
    QSizePolicy keepRoom = hint->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    hint->setSizePolicy(keepRoom);

    auto* box = new QHBoxLayout;
    box->setSpacing(2);
    box->addWidget(seconds);
    box->addWidget(arrows);
    auto* row = new QHBoxLayout;
    row->addWidget(every);
    row->addLayout(box);
    row->addWidget(unit);
    row->addStretch(1);

    const DialogButtonRow buttons =
        NewDialogButtonRow(*this, seconds, [this] { presenter_.OnOk(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(row);
    layout->addWidget(counts);
    layout->addWidget(hint);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace quellix
