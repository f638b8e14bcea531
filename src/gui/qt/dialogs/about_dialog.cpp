#include "gui/qt/dialogs/about_dialog.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quellix {

void AboutDialog::Open(QWidget* parent, const Settings& settings) {
    AboutDialog dialog(parent, settings);
    dialog.exec();
}

AboutDialog::AboutDialog(QWidget* parent, const Settings& settings)
    : QDialog(parent), presenter_(view_, settings) {
    setObjectName("frmAbout");

    auto* icon = new QLabel(this);
    icon->setObjectName("imgIcon");
    const int side = fontMetrics().height() * 3;
    icon->setPixmap(QIcon(":/icons/quellix.svg").pixmap(QSize(side, side), devicePixelRatio()));
    icon->setAlignment(Qt::AlignTop);
    auto* credit = new QLabel(this);
    credit->setObjectName("lblCredit");
    credit->setTextFormat(Qt::PlainText);

    auto* ok = new QPushButton(this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    // Enter and the button accept, Escape rejects: each only closes the box.
    connect(ok, &QPushButton::clicked, this, [this] { presenter_.OnOk(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* text = new QHBoxLayout;
    text->setSpacing(fontMetrics().averageCharWidth() * 2);
    text->addWidget(icon);
    text->addWidget(credit, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(text);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    presenter_.Load();
}

void AboutDialog::reject() {
    presenter_.OnCancel();
}

}  // namespace quellix
