#include "gui/qt/dialogs/about_dialog.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/dialogs/about_texts.h"
#include "gui/qt/common/dialog_captions_view.h"

namespace quellix {

void AboutDialog::Open(QWidget* parent, const Settings& settings) {
    AboutDialog dialog(parent, settings);
    dialog.exec();
}

AboutDialog::AboutDialog(QWidget* parent, const Settings& settings) : QDialog(parent) {
    setObjectName("frmAbout");

    auto* icon = new QLabel(this);
    icon->setObjectName("imgIcon");
    const int side = fontMetrics().height() * 3;
    icon->setPixmap(QIcon(":/icons/quellix.svg").pixmap(QSize(side, side), devicePixelRatio()));
    icon->setAlignment(Qt::AlignTop);
    auto* credit = new QLabel(this);
    credit->setObjectName("lblCredit");
    credit->setTextFormat(Qt::PlainText);
    const std::string_view description = texts::kAboutDescription.In(settings.language());
    credit->setText(
        QString::fromStdString(settings.ProgramTitle) +
        QString::fromUtf8(description.data(), static_cast<qsizetype>(description.size())));

    auto* ok = new QPushButton(this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    // Escape rejects, Enter and the button accept: each only closes the box.
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
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

    ApplyDialogCaptions(*this, kAboutCaptions, settings.language());
    ok->setFocus();
}

}  // namespace quellix
