#pragma once

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
    QLabel* message_;
    QLabel* counter_;
};

}  // namespace quellix
