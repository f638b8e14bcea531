#include "gui/qt/logview/log_viewer_window.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

#include "gui/qt/common/message_box.h"
#include "gui/qt/common/qt_colour.h"
#include "gui/qt/common/qt_text.h"

namespace quellix {

namespace {

// Room left between a date and the next column.
constexpr qreal kColumnGap = 4;

void Paint(QWidget* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// The columns are 64 pixels apart: a larger system font is brought down until a date fits.
QFont DateFont(QFont font) {
    const qreal room = kColumnMarkerLefts[0] - LogLabelPlace(0).left - kColumnGap;
    const qreal wide = QFontMetricsF(font).horizontalAdvance(QStringLiteral("0000-00-00"));
    if (wide > room && font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * room / wide);
    }
    return font;
}

}  // namespace

LogViewerWindow::LogViewerWindow(const Settings& settings,
                                 std::function<bool(const std::string&)> open, MainWindowCalls main,
                                 std::function<QRect()> trayIcon)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint),
      presenter_(*this, settings, std::move(open), std::move(main)),
      trayIcon_(std::move(trayIcon)) {
    setObjectName(ToQString(LogViewerPresenter::kWindow));
    // On top of every window, yet the focus stays where the user is working.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowIcon(QIcon(":/icons/quellix.svg"));
    BuildControls();
    resize(kLogViewerWidth, kLogViewerHeight);
}

void LogViewerWindow::BuildControls() {
    labelFont_ = DateFont(font());
    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setObjectName("VScroll1");
    scroll_->setSingleStep(kLogScrollStep);
    scroll_->setPageStep(kLogScrollStep);
    // Dragging the thumb moves nothing until it is released.
    scroll_->setTracking(false);
    connect(scroll_, &QScrollBar::valueChanged, this,
            [this](int value) { presenter_.OnScrolled(value); });

    popup_ = new QMenu(this);
    popup_->setObjectName("mnuSupprimer");
    removeItem_ = popup_->addAction(QString());
    removeItem_->setObjectName("mnuSupprimerLog");
    connect(removeItem_, &QAction::triggered, this, [this] { presenter_.OnRemoveChosen(); });
    cancelItem_ = popup_->addAction(QString());
    cancelItem_->setObjectName("mnuAnnuler");
}

QWidget* LogViewerWindow::Find(std::string_view control) const {
    const QString name = ToQString(control);
    if (name == objectName()) {
        return const_cast<LogViewerWindow*>(this);
    }
    return findChild<QWidget*>(name);
}

void LogViewerWindow::SetText(std::string_view control, std::string_view text) {
    QWidget* widget = Find(control);
    if (widget == this) {
        setWindowTitle(ToQString(text));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(ToQString(text));
    }
}

std::string LogViewerWindow::Text(std::string_view control) const {
    QWidget* widget = Find(control);
    if (widget == this) {
        return ToUtf8(windowTitle());
    }
    auto* label = qobject_cast<QLabel*>(widget);
    return label != nullptr ? ToUtf8(label->text()) : std::string();
}

// The viewer has no boxes to tick.
void LogViewerWindow::SetChecked(std::string_view, bool) {}

bool LogViewerWindow::IsChecked(std::string_view) const {
    return false;
}

void LogViewerWindow::SetEnabled(std::string_view control, bool enabled) {
    if (QWidget* widget = Find(control)) {
        widget->setEnabled(enabled);
    }
}

void LogViewerWindow::SetVisible(std::string_view control, bool visible) {
    if (QWidget* widget = Find(control)) {
        widget->setVisible(visible);
    }
}

void LogViewerWindow::SetTextColour(std::string_view control, std::optional<Colour> colour) {
    if (QWidget* widget = Find(control)) {
        Paint(widget, colour ? ToQColor(*colour) : palette().color(QPalette::WindowText));
    }
}

void LogViewerWindow::SetFocus(std::string_view control) {
    if (QWidget* widget = Find(control)) {
        widget->setFocus();
    }
}

void LogViewerWindow::Close(bool) {
    close();
}

MessageAnswer LogViewerWindow::ShowMessage(const MessageRequest& request) {
    return MessageBoxes::Show(this, request);
}

void LogViewerWindow::SetDates(const std::vector<DateLabel>& dates,
                               const std::vector<LabelPlace>& markers) {
    qDeleteAll(labels_);
    qDeleteAll(markers_);
    labels_.clear();
    markers_.clear();
    for (std::size_t i = 0; i < markers.size(); ++i) {
        auto* marker = new QLabel(this);
        marker->setObjectName(QString("Label%1").arg(i + 1));
        marker->setGeometry(markers[i].left, markers[i].top, kLogLabelWidth, kLogLabelHeight);
        marker->hide();
        markers_.push_back(marker);
    }
    for (const DateLabel& date : dates) {
        auto* label = new QLabel(ToQString(date.date), this);
        label->setObjectName("Label");
        label->setFont(labelFont_);
        label->move(date.place.left, date.place.top);
        label->resize(std::max(kLogLabelWidth, label->sizeHint().width()),
                      std::max(kLogLabelHeight, label->sizeHint().height()));
        label->setCursor(Qt::PointingHandCursor);
        label->setContextMenuPolicy(Qt::PreventContextMenu);
        Paint(label, ToQColor(date.colour));
        label->installEventFilter(this);
        label->show();
        labels_.push_back(label);
    }
    scroll_->raise();
}

void LogViewerWindow::SetDateColour(std::size_t index, Colour colour) {
    Paint(labels_.at(index), ToQColor(colour));
}

void LogViewerWindow::HideDate(std::size_t index) {
    labels_.at(index)->hide();
}

void LogViewerWindow::MoveLabelsUp(int pixels) {
    // Moving keeps each label's visibility: removed dates and the markers stay hidden.
    for (const std::vector<QLabel*>* group : {&labels_, &markers_}) {
        for (QLabel* label : *group) {
            label->move(label->x(), label->y() - pixels);
        }
    }
}

void LogViewerWindow::ResetScroll(int maximum) {
    scroll_->blockSignals(true);
    scroll_->setRange(0, maximum);
    scroll_->setValue(0);
    scroll_->blockSignals(false);
}

void LogViewerWindow::SetScrollMaximum(int maximum) {
    scroll_->setMaximum(maximum);
}

void LogViewerWindow::ShowRemovePopup(const std::string& removeItem,
                                      const std::string& cancelItem) {
    removeItem_->setText(ToQString(removeItem));
    cancelItem_->setText(ToQString(cancelItem));
    popup_->popup(popupAt_);
}

void LogViewerWindow::ShowAtTopRight() {
    setWindowState(Qt::WindowNoState);
    PlaceOnScreen();
    show();
    // Once shown, the window's frame is known.
    PlaceOnScreen();
}

void LogViewerWindow::BringBack() {
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    show();
    raise();
}

void LogViewerWindow::PlaceOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    // The desktop's panels are left alone: the corner is that of the free area, and the tray
    // icon stays in sight.
    const QRect area = screen->availableGeometry();
    std::optional<ScreenArea> tray;
    if (const QRect icon = trayIcon_ ? trayIcon_() : QRect(); icon.isValid()) {
        tray = ScreenArea{icon.x(), icon.y(), icon.width(), icon.height()};
    }
    const LabelPlace place =
        LogViewerPlace({area.x(), area.y(), area.width(), area.height()}, frameGeometry().width(),
                       frameGeometry().height(), tray);
    move(place.left, place.top);
}

// The title is the window's only instruction ("Check Logs - [Back to Quellix: close] ->"): the
// window is as wide as the title needs beside the title bar's icon and buttons.
void LogViewerWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowTitleChange) {
        return;
    }
    // The icon and three buttons of a title bar, with some room to spare.
    constexpr int kTitleBarExtras = 130;
    QFont titleFont = font();
    titleFont.setBold(true);
    const int needed = QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + kTitleBarExtras;
    if (needed > width()) {
        resize(needed, height());
        PlaceOnScreen();
    }
}

void LogViewerWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scroll_->setGeometry(width() - kLogScrollBarWidth, 0, kLogScrollBarWidth, height());
    presenter_.OnResized();
}

bool LogViewerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress) {
        return QWidget::eventFilter(watched, event);
    }
    const auto found = std::find(labels_.begin(), labels_.end(), watched);
    if (found == labels_.end()) {
        return QWidget::eventFilter(watched, event);
    }
    const auto index = static_cast<std::size_t>(found - labels_.begin());
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) {
        presenter_.OnDateClicked(index);
        return true;
    }
    if (mouse->button() == Qt::RightButton) {
        popupAt_ = mouse->globalPosition().toPoint();
        presenter_.OnDateRightClicked(index);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void LogViewerWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    popup_->hide();
    presenter_.OnClosed();
}

}  // namespace quellix
