#include "gui/qt/mainwindow/tray_icon.h"

#include <QApplication>
#include <QSystemTrayIcon>

namespace quellix {

SystemTrayIcon::SystemTrayIcon(QObject* parent) : TrayIcon(parent) {}

SystemTrayIcon::~SystemTrayIcon() {
    Remove();
}

bool SystemTrayIcon::Available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void SystemTrayIcon::Show(const QIcon& icon, const QString& tip, QMenu* menu) {
    if (!icon_) {
        icon_ = new QSystemTrayIcon(icon, this);
        // A single and a double click each toggle once: the clicks of a double click arrive as
        // several activations, so those within the double-click time of the first are one.
        connect(
            icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick) {
                    return;
                }
                if (lastClick_.isValid() &&
                    lastClick_.elapsed() < QApplication::doubleClickInterval()) {
                    return;
                }
                lastClick_.start();
                emit LeftClicked();
            });
    }
    icon_->setToolTip(tip);
    icon_->setContextMenu(menu);
    icon_->show();
}

QRect SystemTrayIcon::Geometry() const {
    return icon_ && icon_->isVisible() ? icon_->geometry() : QRect();
}

void SystemTrayIcon::Remove() {
    if (icon_) {
        icon_->hide();
        delete icon_;
        icon_ = nullptr;
    }
}

}  // namespace quellix
