#include "gui/qt/logview/log_retention_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/logview/log_settings_rules.h"
#include "core/logview/log_settings_texts.h"
#include "gui/qt/common/dialog_captions_view.h"
#include "gui/qt/common/message_box.h"
#include "gui/qt/dialogs/dialog_button_row_view.h"
#include "gui/qt/dialogs/up_down_view.h"

namespace quellix {

bool LogRetentionDialog::Open(QWidget* parent, Settings& settings, ConfigStore& config) {
    LogRetentionDialog dialog(settings, config, parent);
    return dialog.exec() == QDialog::Accepted;
}

LogRetentionDialog::LogRetentionDialog(Settings& settings, ConfigStore& config, QWidget* parent)
    : QDialog(parent), settings_(settings), config_(config) {
    setObjectName("frmPurgeLogs");
    BuildControls();
    setWindowTitle(QString::fromStdString(settings_.ProgramTitle));
    ApplyDialogCaptions(*this, kLogRetentionCaptions, settings_.language());
    removeOld_->setChecked(settings_.PurgeLogs);
    count_->setText(QString::number(settings_.DelaiLogs));
}

void LogRetentionDialog::BuildControls() {
    removeOld_ = new QCheckBox(this);
    removeOld_->setObjectName("chkPurgeLogs");
    count_ = new QLineEdit(this);
    count_->setObjectName("Text1");
    count_->setAlignment(Qt::AlignCenter);
    count_->setMaximumWidth(count_->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    auto* arrows = new UpDownView(count_, this);
    arrows->setObjectName("UpDown1");
    connect(arrows, &UpDownView::UpPressed, this, [this] { Step(true); });
    connect(arrows, &UpDownView::DownPressed, this, [this] { Step(false); });
    auto* unit = new QLabel(this);
    unit->setObjectName("lblJours");
    limit_ = new QLabel(this);
    limit_->setObjectName("Label1");
    QPalette red = limit_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    limit_->setPalette(red);
    QSizePolicy keepRoom = limit_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    limit_->setSizePolicy(keepRoom);
    limit_->hide();

    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    row->addSpacing(20);
    row->addWidget(count_);
    row->addWidget(arrows);
    row->addSpacing(6);
    row->addWidget(unit);
    row->addStretch(1);

    const DialogButtonRow buttons = NewDialogButtonRow(*this, count_, [this] { Ok(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(removeOld_);
    layout->addLayout(row);
    layout->addWidget(limit_);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(removeOld_, count_);
}

void LogRetentionDialog::Step(bool up) {
    const std::string text = count_->text().toStdString();
    const LogRetentionStep step = up ? StepLogRetentionUp(text, settings_.Langue)
                                     : StepLogRetentionDown(text, settings_.Langue);
    if (step.limitMessage) {
        limit_->setText(QString::fromStdString(*step.limitMessage));
        limit_->show();
    } else {
        limit_->hide();
    }
    count_->setText(QString::number(step.value));
}

void LogRetentionDialog::Ok() {
    const std::string text = count_->text().toStdString();
    if (const auto refusal = RunLogRetentionOk(removeOld_->isChecked(), text, settings_, config_)) {
        MessageBoxes::Show(this, *refusal);
        return;
    }
    accept();
}

}  // namespace quellix
