#include "gui/qt/mainwindow/loading_window.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/qt/common/qt_text.h"

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
    FitAndCentre();
}

void LoadingWindow::FitAndCentre() {
    // As wide as its message, in the middle of the free area (adjustSize would stop at two
    // thirds of a small screen).
    resize(sizeHint().expandedTo(minimumSize()));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void LoadingWindow::LetPaint(bool now) {
    // Far below what a person notices, far above the cost of asking.
    constexpr qint64 kIntervalMs = 15;
    if (!now && sincePaint_.isValid() && sincePaint_.elapsed() < kIntervalMs) {
        return;
    }
    // Clicks wait: start-up is not ready for them.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sincePaint_.start();
}

void LoadingWindow::ShowLoadingWindow(std::string_view caption) {
    setWindowTitle(ToQString(caption));
    show();
    LetPaint(true);
}

void LoadingWindow::SetLoadingMessage(std::string_view text) {
    message_->setText(ToQString(text));
    FitAndCentre();
    LetPaint(true);
}

void LoadingWindow::SetLoadingCounter(std::string_view text) {
    counter_->setText(ToQString(text));
    LetPaint(false);
}

void LoadingWindow::HideLoadingWindow() {
    hide();
}

}  // namespace quellix
