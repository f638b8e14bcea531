#include "gui/qt/mainwindow/loading_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace quellix {

LoadingWindow::LoadingWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      message_(new QLabel(this)),
      counter_(new QLabel(this)) {
    setObjectName("frmChargement");
    message_->setObjectName("Label1");
    counter_->setObjectName("lblNombre");
    QFont font = message_->font();
    font.setBold(true);
    font.setPointSizeF(11.25);
    message_->setFont(font);
    message_->setAlignment(Qt::AlignCenter);
    counter_->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(message_);
    layout->addWidget(counter_);
    setMinimumWidth(320);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(160, 40));
    }
}

void LoadingWindow::SetMessage(const QString& text) {
    message_->setText(text);
    message_->repaint();
}

void LoadingWindow::SetCounter(const QString& text) {
    counter_->setText(text);
    counter_->repaint();
}

}  // namespace quellix
