#include "gui/qt/logview/log_viewer_window.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

#include "gui/qt/common/message_box.h"

namespace quellix {

namespace {

const QColor kNotOpened(0, 0, 255);
const QColor kOpened(128, 0, 128);
// Room left between a date and the next column.
constexpr qreal kColumnGap = 4;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

void Paint(QLabel* label, const QColor& colour) {
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
                                 std::function<bool(const std::string&)> open, MainWindowCalls main)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint),
      settings_(settings),
      open_(std::move(open)),
      main_(std::move(main)) {
    setObjectName("frmVoirLogs");
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
    connect(scroll_, &QScrollBar::valueChanged, this, &LogViewerWindow::Scrolled);

    popup_ = new QMenu(this);
    popup_->setObjectName("mnuSupprimer");
    removeItem_ = popup_->addAction(QString());
    removeItem_->setObjectName("mnuSupprimerLog");
    connect(removeItem_, &QAction::triggered, this, &LogViewerWindow::RemoveChosenLog);
    cancelItem_ = popup_->addAction(QString());
    cancelItem_->setObjectName("mnuAnnuler");
}

void LogViewerWindow::ShowFromMenu() {
    if (isVisible()) {
        MinimizeMainWindow();
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        show();
        raise();
        return;
    }
    Load();
    PlaceOnScreen();
    show();
    // Once shown, the window's frame is known.
    PlaceOnScreen();
}

void LogViewerWindow::ClearLabels() {
    for (QLabel* label : labels_) {
        delete label;
    }
    for (QLabel* marker : markers_) {
        delete marker;
    }
    labels_.clear();
    markers_.clear();
    logs_.clear();
}

void LogViewerWindow::Load() {
    ClearLabels();
    setWindowState(Qt::WindowNoState);
    setWindowTitle(Q(LogViewerTitle(settings_)));
    for (std::size_t i = 0; i < std::size(kColumnMarkerLefts); ++i) {
        auto* marker = new QLabel(this);
        marker->setObjectName(QString("Label%1").arg(i + 1));
        const LabelPlace place = ColumnMarkerPlace(i);
        marker->setGeometry(place.left, place.top, kLogLabelWidth, kLogLabelHeight);
        marker->hide();
        markers_.push_back(marker);
    }
    logs_ = ListDayLogs(settings_.PathLogs);
    for (std::size_t i = 0; i < logs_.size(); ++i) {
        auto* label = new QLabel(Q(logs_[i].date), this);
        label->setObjectName("Label");
        label->setFont(labelFont_);
        const LabelPlace place = LogLabelPlace(i);
        label->move(place.left, place.top);
        label->resize(std::max(kLogLabelWidth, label->sizeHint().width()),
                      std::max(kLogLabelHeight, label->sizeHint().height()));
        label->setCursor(Qt::PointingHandCursor);
        label->setContextMenuPolicy(Qt::PreventContextMenu);
        Paint(label, kNotOpened);
        label->installEventFilter(this);
        label->show();
        labels_.push_back(label);
    }
    scroll_->raise();
    scroll_->blockSignals(true);
    scroll_->setRange(0, LogScrollMaximum(height()));
    scroll_->setValue(0);
    scroll_->blockSignals(false);
    previousValue_ = 0;
    if (!logs_.empty()) {
        OpenLog(logs_.size() - 1);
    }
}

void LogViewerWindow::PlaceOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    // The desktop's panels are left alone: the corner is that of the free area.
    const QRect area = screen->availableGeometry();
    move(area.left() + area.width() - frameGeometry().width(), area.top());
}

void LogViewerWindow::MinimizeMainWindow() {
    if (main_.visible()) {
        main_.minimize();
    }
}

void LogViewerWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scroll_->setGeometry(width() - kLogScrollBarWidth, 0, kLogScrollBarWidth, height());
    scroll_->setMaximum(LogScrollMaximum(height()));
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
        MinimizeMainWindow();
        OpenLog(index);
        return true;
    }
    if (mouse->button() == Qt::RightButton) {
        OfferRemoval(index, mouse->globalPosition().toPoint());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void LogViewerWindow::OpenLog(std::size_t index) {
    Paint(labels_[index], kOpened);
    open_(DayLogFile(settings_.PathLogs, logs_[index]));
}

void LogViewerWindow::OfferRemoval(std::size_t index, const QPoint& at) {
    rightClicked_ = index;
    removeItem_->setText(Q(RemoveLogItem(logs_[index].date, settings_.Langue)));
    cancelItem_->setText(Q(CancelItem(settings_.Langue)));
    popup_->popup(at);
}

void LogViewerWindow::RemoveChosenLog() {
    if (rightClicked_ >= logs_.size()) {
        return;
    }
    const DayLog& log = logs_[rightClicked_];
    if (MessageBoxes::Show(this, RemoveLogQuestion(log.date, settings_)) != MessageAnswer::Yes) {
        return;
    }
    RemoveDayLog(settings_.PathLogs, log);
    // The other dates keep their places.
    labels_[rightClicked_]->hide();
}

void LogViewerWindow::Scrolled(int value) {
    const int moved = value - previousValue_;
    previousValue_ = value;
    // Moving keeps each label's visibility: removed dates and the markers stay hidden.
    for (const std::vector<QLabel*>* group : {&labels_, &markers_}) {
        for (QLabel* label : *group) {
            label->move(label->x(), label->y() - moved);
        }
    }
}

void LogViewerWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    popup_->hide();
    main_.restore();
}

}  // namespace quellix
