#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QWidget>

#include "core/common/startup_progress.h"

namespace quellix {

// The small window shown while start-up reads the configuration and loads the folder list.
class LoadingWindow final : public QWidget, public StartupProgress {
    Q_OBJECT

  public:
    explicit LoadingWindow(QWidget* parent = nullptr);

    void ShowLoadingWindow(std::string_view caption) override;
    void SetLoadingMessage(std::string_view text) override;
    void SetLoadingCounter(std::string_view text) override;
    void HideLoadingWindow() override;

  private:
    // Start-up runs before the event loop: the window is mapped and painted only when events
    // run, so they run as the texts change, paced by time as the walks are.
    void LetPaint(bool now);
    void FitAndCentre();

    QLabel* message_;
    QLabel* counter_;
    QElapsedTimer sincePaint_;
};

}  // namespace quellix
