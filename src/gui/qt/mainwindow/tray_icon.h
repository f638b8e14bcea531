#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QRect>
#include <QString>
#include <memory>

class QSystemTrayIcon;

namespace quellix {

// The program's icon in the desktop's notification area. A left click (single or double)
// toggles the main window; a right press opens the menu given. Tests use their own.
class TrayIcon : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

    // False where the desktop has no notification area: the window must then stay reachable
    // through the task bar.
    virtual bool Available() const = 0;
    virtual void Show(const QIcon& icon, const QString& tip, QMenu* menu) = 0;
    virtual void Remove() = 0;
    // Where the icon is on the screen; an invalid rectangle where that is not known.
    virtual QRect Geometry() const { return {}; }

  signals:
    void LeftClicked();
};

// The notification area of the running desktop.
class SystemTrayIcon final : public TrayIcon {
    Q_OBJECT

  public:
    explicit SystemTrayIcon(QObject* parent);
    ~SystemTrayIcon() override;

    bool Available() const override;
    void Show(const QIcon& icon, const QString& tip, QMenu* menu) override;
    void Remove() override;
    QRect Geometry() const override;

  private:
    QSystemTrayIcon* icon_ = nullptr;
    QElapsedTimer lastClick_;
};

}  // namespace quellix
