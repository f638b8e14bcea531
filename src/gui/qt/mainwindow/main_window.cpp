#include "gui/qt/mainwindow/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStyle>
#include <algorithm>

#include "core/mainwindow/caption_texts.h"
#include "gui/qt/common/message_box.h"
#include "gui/qt/common/qt_colour.h"
#include "gui/qt/common/qt_text.h"
#include "gui/qt/mainwindow/folder_grid_view.h"
#include "gui/qt/mainwindow/folder_list_model.h"
#include "gui/qt/mainwindow/tray_icon.h"

namespace quellix {

namespace {

// Places of the controls above the grid, in device-independent pixels.
constexpr int kMargin = 8;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 28;
constexpr int kGridTop = 72;
constexpr int kPictureSize = 22;
constexpr int kNarrowColumnWidth = 70;

constexpr std::string_view kWindowName = "frmPurgeNN";

}  // namespace

// The notification-area icon with the program's picture and the tray menu.
class MainWindow::Tray final : public TrayView {
  public:
    Tray(TrayIcon& icon, QMenu* menu) : icon_(icon), menu_(menu) {}
    bool Available() const override { return icon_.Available(); }
    void Show(std::string_view tip) override {
        icon_.Show(QIcon(":/icons/tray.svg"), ToQString(tip), menu_);
    }
    void Remove() override { icon_.Remove(); }

  private:
    TrayIcon& icon_;
    QMenu* menu_;
};

MainWindow::MainWindow(MainWindowParts parts)
    : trayIcon_(parts.tray),
      dialogs_(
          *this,
          {parts.context.program, parts.context.service, parts.countFiles, parts.context.open,
           [this] { showMinimized(); }, [this] { Restore(); }, [this] { return IsShownToUser(); }},
          [this] { return trayIcon_.Geometry(); }) {
    setObjectName(ToQString(kWindowName));
    setWindowIcon(QIcon(":/icons/quellix.svg"));
    model_ =
        new FolderListModel(parts.context.program.folders, parts.context.program.settings, this);
    BuildControls();
    BuildMenus();
    tray_ = std::make_unique<Tray>(trayIcon_, trayMenu_);
    presenter_ =
        std::make_unique<MainWindowPresenter>(*this, *tray_, dialogs_, std::move(parts.context));
    ConnectEvents();
    resize(900, 520);
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildControls() {
    auto* central = new QWidget(this);
    central->setObjectName("centralWidget");
    setCentralWidget(central);

    start_ = new QPushButton(central);
    start_->setObjectName("cmdDemarrer");
    start_->setGeometry(kMargin, kMargin, kButtonWidth, kButtonHeight);
    start_->setDefault(true);
    auto* stop = new QPushButton(central);
    stop->setObjectName("cmdArreter");
    stop->setGeometry(kMargin * 2 + kButtonWidth, kMargin, kButtonWidth, kButtonHeight);
    auto* immediate = new QCheckBox(central);
    immediate->setObjectName("chkPurgeImmediate");
    immediate->setGeometry(kMargin, kMargin * 2 + kButtonHeight, kButtonWidth * 2 + kMargin,
                           kButtonHeight - 4);

    const int statusLeft = kMargin * 4 + kButtonWidth * 2;
    busy_ = new QLabel(central);
    busy_->setObjectName("imgRefresh");
    busy_->setGeometry(statusLeft, kMargin + 3, kPictureSize, kPictureSize);
    busy_->setPixmap(QIcon(":/icons/refresh.svg").pixmap(kPictureSize, kPictureSize));
    auto* status = new QLabel(central);
    status->setObjectName("lblMaj");
    status->setGeometry(statusLeft + kPictureSize + 6, kMargin + 3, 260, kPictureSize);
    auto* modeLabel = new QLabel(central);
    modeLabel->setObjectName("lblMode");
    modeLabel->setGeometry(statusLeft, kMargin * 2 + kButtonHeight, 120, kButtonHeight - 4);
    QFont bold = modeLabel->font();
    bold.setBold(true);
    modeLabel->setFont(bold);

    purgeTime_ = new QLabel(central);
    purgeTime_->setObjectName("lblHeurePurge");
    purgeTime_->move(0, kMargin + 4);
    lastPurge_ = new QLabel(central);
    lastPurge_->setObjectName("lblDernierePurge");
    lastPurge_->move(0, kMargin * 2 + kButtonHeight + 2);

    hint_ = new QLabel(central);
    hint_->setObjectName("lblBulle");
    // On the purge time's row, which holds nothing else on its left when the hint shows.
    hint_->move(0, kMargin + 4);
    QFont hintFont = hint_->font();
    hintFont.setBold(true);
    hint_->setFont(hintFont);
    hint_->hide();

    grid_ = new FolderGridView(central);
    grid_->move(0, kGridTop);
    grid_->setModel(model_);

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    timer_->setInterval(1000);
}

QMenu* MainWindow::BuildMenu(const MenuDefinition& definition, QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(ToQString(definition.name));
    for (const MenuItem& item : definition.items) {
        if (item.IsSeparator()) {
            menu->addSeparator();
            continue;
        }
        const QString itemName = ToQString(item.name);
        QAction* action = Action(itemName);
        if (action == nullptr) {
            action = new QAction(this);
            action->setObjectName(itemName);
            action->setCheckable(item.Checkable());
        }
        menu->addAction(action);
    }
    return menu;
}

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    for (const MenuDefinition& definition : MenuBarMenus()) {
        bar->addMenu(BuildMenu(definition, bar));
    }
    popup_ = BuildMenu(ContextMenu(), this);
    // The tray's menu holds the File menu's own items.
    trayMenu_ = BuildMenu(TrayMenu(), this);

    for (const CaptionEntry& entry : kFixedCaptions) {
        SetText(entry.control, entry.text.english);
    }
}

void MainWindow::ConnectEvents() {
    MainWindowPresenter& presenter = *presenter_;
    connect(start_, &QPushButton::clicked, this, [&presenter] { presenter.OnStart(); });
    connect(findChild<QPushButton*>("cmdArreter"), &QPushButton::clicked, this,
            [&presenter] { presenter.OnStop(); });
    connect(findChild<QCheckBox*>("chkPurgeImmediate"), &QCheckBox::clicked, this,
            [&presenter](bool ticked) { presenter.OnImmediateClicked(ticked); });
    connect(timer_, &QTimer::timeout, this, [&presenter] { presenter.OnTimer(); });
    for (QAction* action : findChildren<QAction*>(Qt::FindDirectChildrenOnly)) {
        connect(action, &QAction::triggered, this,
                [&presenter, item = ToUtf8(action->objectName())] { presenter.OnCommand(item); });
    }
    connect(grid_, &FolderGridView::RowDoubleClicked, this,
            [&presenter](int) { presenter.OnGridDoubleClicked(); });
    connect(grid_, &FolderGridView::DeletePressed, this, [&presenter] { presenter.OnDeleteKey(); });
    connect(grid_, &FolderGridView::ContextMenuAsked, this,
            [this, &presenter](const QPoint& position) {
                popupAt_ = position;
                presenter.OnContextMenu();
            });
    connect(&trayIcon_, &TrayIcon::LeftClicked, this,
            [&presenter] { presenter.OnTrayLeftClick(); });
    // The purge time label opens its dialog.
    purgeTime_->installEventFilter(this);
    purgeTime_->setCursor(Qt::PointingHandCursor);
}

QAction* MainWindow::Action(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

QMenu* MainWindow::Menu(const QString& name) const {
    return findChild<QMenu*>(name);
}

void MainWindow::SetText(std::string_view control, std::string_view text) {
    controls_.SetText(control, text);
    if (auto* label = qobject_cast<QLabel*>(controls_.Find(control))) {
        // The status line follows long work that lets no paint event through.
        label->repaint();
        if (label == purgeTime_ || label == lastPurge_ || label == hint_) {
            Relayout();
        }
    }
}

std::string MainWindow::Text(std::string_view control) const {
    return controls_.Text(control);
}

void MainWindow::SetChecked(std::string_view control, bool checked) {
    controls_.SetChecked(control, checked);
}

bool MainWindow::IsChecked(std::string_view control) const {
    return controls_.IsChecked(control);
}

void MainWindow::SetEnabled(std::string_view control, bool enabled) {
    controls_.SetEnabled(control, enabled);
}

void MainWindow::SetVisible(std::string_view control, bool visible) {
    controls_.SetVisible(control, visible);
    // Every control of the top rows decides how narrow the window may get.
    const auto* widget = qobject_cast<QWidget*>(controls_.Find(control));
    if (widget && widget->parentWidget() == centralWidget() && widget != grid_) {
        Relayout();
    }
}

void MainWindow::SetTextColour(std::string_view control, std::optional<Colour> colour) {
    controls_.SetTextColour(control, colour);
}

void MainWindow::SetFocus(std::string_view control) {
    controls_.SetFocus(control);
}

void MainWindow::Close(bool accepted) {
    controls_.Close(accepted);
}

MessageAnswer MainWindow::ShowMessage(const MessageRequest& request) {
    return MessageBoxes::Show(isVisible() ? this : nullptr, request);
}

void MainWindow::SetToolTip(std::string_view control, std::string_view text) {
    QObject* found = controls_.Find(control);
    if (auto* action = qobject_cast<QAction*>(found)) {
        action->setToolTip(ToQString(text));
    } else if (auto* widget = qobject_cast<QWidget*>(found)) {
        widget->setToolTip(ToQString(text));
    }
}

void MainWindow::ShowHourglassFrame(int frame) {
    busy_->setPixmap(
        QIcon(QString(":/icons/hourglass%1.svg").arg(frame)).pixmap(kPictureSize, kPictureSize));
}

void MainWindow::SetTimerRunning(bool running) {
    if (running) {
        timer_->start();
    } else {
        timer_->stop();
    }
}

void MainWindow::RefreshGrid() {
    model_->Refresh();
    // Measured once per change of the list, not at every size change: it reads every cell.
    narrowColumnWidth_ = NarrowColumnWidth();
    Relayout();
}

int MainWindow::CurrentRow() const {
    return grid_->CurrentRow();
}

void MainWindow::ShowRow(std::size_t row) {
    const QModelIndex cell = grid_->model()->index(static_cast<int>(row), kActionColumn);
    grid_->setCurrentIndex(cell);
    grid_->scrollTo(cell);
    // The editor leaves no row highlighted.
    grid_->clearSelection();
}

void MainWindow::PopUpContextMenu() {
    popup_->popup(popupAt_);
}

void MainWindow::SetBusyCursor(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void MainWindow::SetStartsMinimized(bool minimized) {
    setWindowState(minimized ? Qt::WindowMinimized : Qt::WindowMaximized);
}

void MainWindow::ShowMaximized() {
    showMaximized();
}

void MainWindow::ShowMinimized() {
    showMinimized();
}

void MainWindow::Restore() {
    // Coming back from the tray: a new native window. Where no window manager runs, the old one
    // keeps a minimize request nobody answered and the platform would report it minimized again
    // as soon as it is shown, which sends it straight back to the tray.
    if (!isVisible()) {
        destroy();
    }
    // Out of the minimized state first: a window mapped while still minimized stays iconic.
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    show();
    raise();
    activateWindow();
}

void MainWindow::Hide() {
    // Hidden straight away: a window iconified first may not map again where no window manager
    // answers the request.
    hide();
}

bool MainWindow::IsShownToUser() const {
    return isVisible() && !isMinimized();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == purgeTime_ && event->type() == QEvent::MouseButtonRelease) {
        presenter_->OnPurgeTimeClicked();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::Relayout() {
    QWidget* central = centralWidget();
    purgeTime_->adjustSize();
    lastPurge_->adjustSize();
    hint_->adjustSize();
    // The right edge of the controls a row shows on its left, at the places they keep.
    const auto leftEnd = [this](std::initializer_list<const char*> names) {
        int end = 0;
        for (const char* name : names) {
            const auto* control = qobject_cast<QWidget*>(controls_.Find(name));
            if (control && control->isVisibleTo(centralWidget())) {
                end = std::max(end, control->geometry().right() + 1);
            }
        }
        return end;
    };
    ResizeInput input{central->width(),    central->height(), width(),
                      grid_->y(),          start_->x(),       purgeTime_->width(),
                      lastPurge_->width(), hint_->width(),    narrowColumnWidth_};
    input.purgeTimeLabelShown = purgeTime_->isVisibleTo(central);
    input.hintShown = hint_->isVisibleTo(central);
    input.firstRowLeftEnd = leftEnd({"cmdDemarrer", "cmdArreter", "imgRefresh", "lblMaj"});
    input.secondRowLeftEnd = leftEnd({"chkPurgeImmediate", "lblMode"});
    input.gridContentHeight =
        grid_->horizontalHeader()->sizeHint().height() + grid_->verticalHeader()->length();
    input.wideColumnMinimum = std::max(grid_->horizontalHeader()->sectionSizeHint(kPathColumn),
                                       grid_->horizontalHeader()->sectionSizeHint(kActionColumn));
    input.scrollBarWidth = grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_);
    const ResizeLayout layout = ComputeResizeLayout(input);
    central->setMinimumWidth(layout.minimumInnerWidth);
    if (layout.gridWidth && layout.gridHeight) {
        grid_->setGeometry(0, grid_->y(), *layout.gridWidth, *layout.gridHeight);
    }
    if (layout.purgeTimeLabelLeft) {
        purgeTime_->move(*layout.purgeTimeLabelLeft, purgeTime_->y());
    }
    if (layout.lastPurgeLabelLeft) {
        lastPurge_->move(*layout.lastPurgeLabelLeft, lastPurge_->y());
    }
    if (layout.hintLabelLeft) {
        hint_->move(*layout.hintLabelLeft, hint_->y());
    }
    for (int column = 0; column < static_cast<int>(kFolderColumnCount); ++column) {
        if (const auto width = layout.columnWidths[static_cast<std::size_t>(column)]) {
            grid_->setColumnWidth(column, *width);
        }
    }
}

int MainWindow::NarrowColumnWidth() const {
    // 1050 twips fitted these texts in the small system font of old; a larger font gets the
    // room the widest of the four needs, in either language, for every count to come.
    int width = kNarrowColumnWidth;
    for (const FolderColumn column :
         {kFileCountColumn, kRetentionColumn, kSubfoldersColumn, kDateColumn}) {
        width = std::max(width, grid_->NeededWidth(NarrowColumnTextsOf(model_->Folders(), column),
                                                   column == kFileCountColumn));
    }
    return width;
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Relayout();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (!presenter_) {
        return;
    }
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        // Left to the presenter once the state change is over.
        QTimer::singleShot(0, this, [this] {
            if (isMinimized()) {
                presenter_->OnMinimized();
            }
        });
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        presenter_->OnActivated();
    }
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    // A click beside the grid takes the highlight off its row.
    grid_->clearSelection();
    QMainWindow::mousePressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (presenter_->OnCloseRequested()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace quellix
