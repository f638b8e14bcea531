#pragma once

#include <QLabel>
#include <QWidget>

namespace quellix {

// The small window shown while start-up reads the configuration and loads the folder list.
class LoadingWindow final : public QWidget {
    Q_OBJECT

  public:
    explicit LoadingWindow(QWidget* parent = nullptr);

    void SetMessage(const QString& text);
    void SetCounter(const QString& text);

  private:
    QLabel* message_;
    QLabel* counter_;
};

}  // namespace quellix
