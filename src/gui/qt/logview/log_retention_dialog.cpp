#include "gui/qt/logview/log_retention_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "gui/qt/common/qt_text.h"
#include "gui/qt/dialogs/dialog_button_row_view.h"
#include "gui/qt/dialogs/up_down_view.h"

namespace quellix {

bool LogRetentionDialog::Open(QWidget* parent, Settings& settings, ConfigStore& config) {
    LogRetentionDialog dialog(settings, config, parent);
    return dialog.exec() == QDialog::Accepted;
}

LogRetentionDialog::LogRetentionDialog(Settings& settings, ConfigStore& config, QWidget* parent)
    : QDialog(parent), view_(*this), presenter_(view_, settings, config) {
    setObjectName(ToQString(LogRetentionPresenter::kWindow));
    BuildControls();
    presenter_.Load();
}

void LogRetentionDialog::BuildControls() {
    auto* removeOld = new QCheckBox(this);
    removeOld->setObjectName("chkPurgeLogs");
    auto* count = new QLineEdit(this);
    count->setObjectName("Text1");
    count->setAlignment(Qt::AlignCenter);
    count->setMaximumWidth(count->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    auto* arrows = new UpDownView(count, this);
    arrows->setObjectName("UpDown1");
    connect(arrows, &UpDownView::UpPressed, this, [this] { presenter_.OnStep(true); });
    connect(arrows, &UpDownView::DownPressed, this, [this] { presenter_.OnStep(false); });
    auto* unit = new QLabel(this);
    unit->setObjectName("lblJours");
    auto* limit = new QLabel(this);
    limit->setObjectName("Label1");
    QPalette red = limit->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    limit->setPalette(red);
    QSizePolicy keepRoom = limit->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    limit->setSizePolicy(keepRoom);

    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    row->addSpacing(20);
    row->addWidget(count);
    row->addWidget(arrows);
    row->addSpacing(6);
    row->addWidget(unit);
    row->addStretch(1);

    const DialogButtonRow buttons = NewDialogButtonRow(*this, count, [this] { presenter_.OnOk(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(removeOld);
    layout->addLayout(row);
    layout->addWidget(limit);
    layout->addLayout(buttons.layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(removeOld, count);
}

}  // namespace quellix
