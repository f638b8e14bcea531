#pragma once

#include <string_view>

namespace quellix {

// The loading window of start-up: its caption, its message and its n/N counter.
class StartupProgress {
  public:
    virtual ~StartupProgress() = default;
    virtual void ShowLoadingWindow(std::string_view caption) = 0;
    virtual void SetLoadingMessage(std::string_view text) = 0;
    virtual void SetLoadingCounter(std::string_view text) = 0;
    virtual void HideLoadingWindow() = 0;
};

}  // namespace quellix
