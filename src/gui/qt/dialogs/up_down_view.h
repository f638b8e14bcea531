#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace quellix {

// A pair of up and down arrows beside a text box. Unlike a spin box, the box keeps whatever the
// user types, so that the dialog can say what is wrong with it; the arrows only signal their
// presses (repeated while held), and the Up and Down keys in the box press them too.
class UpDownView final : public QWidget {
    Q_OBJECT

  public:
    UpDownView(QLineEdit* buddy, QWidget* parent);

  signals:
    void UpPressed();
    void DownPressed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* buddy_;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace quellix
