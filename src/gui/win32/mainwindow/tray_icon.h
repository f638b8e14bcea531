#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string_view>

namespace quellix {

// The message the notification-area icon sends its window: lParam is the mouse message
// (WM_LBUTTONUP, WM_RBUTTONUP...).
constexpr UINT kTrayMessage = WM_APP + 1;

// The program's icon in the notification area, reporting to a window. Tests use their own: Wine
// without a display has no notification area.
class TrayIcon {
  public:
    virtual ~TrayIcon() = default;
    // False where the desktop shows no notification area: the window must then stay reachable
    // through the task bar.
    virtual bool Available() const = 0;
    virtual void Show(HWND window, HICON icon, std::string_view tip) = 0;
    virtual void Remove() = 0;
};

// Shell_NotifyIconW; shown again when Explorer restarts (TaskbarCreated).
class NotifyAreaIcon final : public TrayIcon {
  public:
    ~NotifyAreaIcon() override;
    bool Available() const override;
    void Show(HWND window, HICON icon, std::string_view tip) override;
    void Remove() override;
    // The window's handler of the "TaskbarCreated" broadcast.
    static UINT TaskbarCreatedMessage();

  private:
    NOTIFYICONDATAW data_{};
    bool shown_ = false;
};

}  // namespace quellix
