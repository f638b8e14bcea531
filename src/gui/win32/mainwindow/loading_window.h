#pragma once

#include <windows.h>

#include "core/common/startup_progress.h"

namespace quellix {

// The loading window frmChargement of start-up: a small captioned window in the middle of the
// work area with its message (Label1) and its n/N counter (lblNombre), painted as they change.
class LoadingWindow final : public StartupProgress {
  public:
    LoadingWindow();
    ~LoadingWindow() override;
    LoadingWindow(const LoadingWindow&) = delete;
    LoadingWindow& operator=(const LoadingWindow&) = delete;

    HWND Handle() const { return window_; }
    HWND Message() const { return message_; }
    HWND Counter() const { return counter_; }

    void ShowLoadingWindow(std::string_view caption) override;
    void SetLoadingMessage(std::string_view text) override;
    void SetLoadingCounter(std::string_view text) override;
    void HideLoadingWindow() override;

  private:
    HWND window_ = nullptr;
    HWND message_ = nullptr;
    HWND counter_ = nullptr;
    HFONT font_ = nullptr;
    HFONT bold_ = nullptr;
};

}  // namespace quellix
