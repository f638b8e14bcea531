#include "gui/qt/dialogs/up_down_view.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace quellix {

namespace {

QToolButton* NewArrow(Qt::ArrowType arrow, const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // The box keeps the focus, as with a spin box's arrows.
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    return button;
}

}  // namespace

UpDownView::UpDownView(QLineEdit* buddy, QWidget* parent)
    : QWidget(parent),
      buddy_(buddy),
      up_(NewArrow(Qt::UpArrow, "up", this)),
      down_(NewArrow(Qt::DownArrow, "down", this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    // Two arrows as tall together as the box, whatever the font.
    const int height = buddy_->sizeHint().height();
    up_->setIconSize(QSize(height / 2, std::max(height / 2 - 4, 4)));
    down_->setIconSize(up_->iconSize());
    setFixedHeight(height);
    connect(up_, &QToolButton::clicked, this, &UpDownView::UpPressed);
    connect(down_, &QToolButton::clicked, this, &UpDownView::DownPressed);
    buddy_->installEventFilter(this);
}

bool UpDownView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up) {
            emit UpPressed();
            return true;
        }
        if (key == Qt::Key_Down) {
            emit DownPressed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace quellix
