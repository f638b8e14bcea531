#include "gui/qt/mainwindow/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenuBar>
#include <QMouseEvent>
#include <algorithm>

#include "core/common/service_host.h"
#include "core/mainwindow/captions.h"
#include "core/mainwindow/scheduler.h"
#include "gui/qt/dialogs/about_dialog.h"
#include "gui/qt/dialogs/all_obsolete_dialog.h"
#include "gui/qt/dialogs/automatic_start_dialog.h"
#include "gui/qt/dialogs/folder_editor_dialog.h"
#include "gui/qt/dialogs/purge_time_dialog.h"
#include "gui/qt/dialogs/tempo_dialog.h"
#include "gui/qt/logview/log_folder_dialog.h"
#include "gui/qt/logview/log_retention_dialog.h"
#include "gui/qt/logview/log_viewer_window.h"
#include "gui/qt/mainwindow/folder_grid_view.h"
#include "gui/qt/mainwindow/folder_list_model.h"
#include "gui/qt/mainwindow/tray_icon.h"
#include "gui/qt/service/service_dialog.h"
#include "platform/process_info.h"

namespace quellix {

namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Places of the controls above the grid, in device-independent pixels.
constexpr int kMargin = 8;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 28;
constexpr int kGridTop = 72;
constexpr int kPictureSize = 22;
constexpr int kNarrowColumnWidth = 70;

}  // namespace

MainWindow::MainWindow(MainWindowContext context)
    : context_(std::move(context)), settings_(context_.program.settings) {
    setObjectName("frmPurgeNN");
    setWindowIcon(QIcon(":/icons/quellix.svg"));
    BuildControls();
    BuildMenus();
    ConnectCommands();
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
    stop_ = new QPushButton(central);
    stop_->setObjectName("cmdArreter");
    stop_->setGeometry(kMargin * 2 + kButtonWidth, kMargin, kButtonWidth, kButtonHeight);
    immediate_ = new QCheckBox(central);
    immediate_->setObjectName("chkPurgeImmediate");
    immediate_->setGeometry(kMargin, kMargin * 2 + kButtonHeight, kButtonWidth * 2 + kMargin,
                            kButtonHeight - 4);

    const int statusLeft = kMargin * 4 + kButtonWidth * 2;
    busy_ = new QLabel(central);
    busy_->setObjectName("imgRefresh");
    busy_->setGeometry(statusLeft, kMargin + 3, kPictureSize, kPictureSize);
    busy_->setPixmap(QIcon(":/icons/refresh.svg").pixmap(kPictureSize, kPictureSize));
    status_ = new QLabel(central);
    status_->setObjectName("lblMaj");
    status_->setGeometry(statusLeft + kPictureSize + 6, kMargin + 3, 260, kPictureSize);
    modeLabel_ = new QLabel(central);
    modeLabel_->setObjectName("lblMode");
    modeLabel_->setGeometry(statusLeft, kMargin * 2 + kButtonHeight, 120, kButtonHeight - 4);
    QFont bold = modeLabel_->font();
    bold.setBold(true);
    modeLabel_->setFont(bold);

    purgeTime_ = new QLabel(central);
    purgeTime_->setObjectName("lblHeurePurge");
    purgeTime_->move(0, kMargin + 4);
    lastPurge_ = new QLabel(central);
    lastPurge_->setObjectName("lblDernierePurge");
    lastPurge_->move(0, kMargin * 2 + kButtonHeight + 2);

    hint_ = new QLabel(central);
    hint_->setObjectName("lblBulle");
    hint_->move(0, kMargin * 2 + 6);
    QFont hintFont = hint_->font();
    hintFont.setBold(true);
    hint_->setFont(hintFont);
    hint_->hide();

    grid_ = new FolderGridView(central);
    grid_->move(0, kGridTop);
    model_ = new FolderListModel(context_.program.folders, settings_, this);
    grid_->setModel(model_);

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    timer_->setInterval(1000);
}

QAction* MainWindow::NewAction(const char* name, bool checkable) {
    auto* action = new QAction(this);
    action->setObjectName(name);
    action->setCheckable(checkable);
    actions_[name] = action;
    return action;
}

QMenu* MainWindow::NewMenu(const char* name, QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(name);
    menus_[name] = menu;
    return menu;
}

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = NewMenu("mnuFichier", bar);
    file->addAction(NewAction("mnuRestaurer"));
    file->addAction(NewAction("mnuQuitter"));

    QMenu* configuration = NewMenu("mnuConfiguration", bar);
    configuration->addAction(NewAction("mnuDemarrageAutomatique", true));
    configuration->addAction(NewAction("mnuTousFichiersObsoletes", true));
    configuration->addAction(NewAction("mnuUseShortPathnames", true));
    configuration->addSeparator();
    configuration->addAction(NewAction("mnuModifierHeure"));
    configuration->addSeparator();
    configuration->addAction(NewAction("mnuTemporisation"));
    configuration->addSeparator();
    configuration->addAction(NewAction("mnuEditerIni"));
    configuration->addSeparator();
    configuration->addAction(NewAction("mnuService"));

    QMenu* folders = NewMenu("mnuDossiers", bar);
    folders->addAction(NewAction("mnuConfigurationAjouterAvant"));
    folders->addAction(NewAction("mnuConfigurationAjouterApres"));
    folders->addSeparator();
    folders->addAction(NewAction("mnuConfigurationModifier"));
    folders->addSeparator();
    folders->addAction(NewAction("mnuConfigurationSupprimer"));

    QMenu* logs = NewMenu("mnuLogs", bar);
    logs->addAction(NewAction("mnuDefinirLogs", true));
    logs->addAction(NewAction("mnuVoirLogs"));
    logs->addAction(NewAction("mnuPurgeLogs", true));

    QMenu* language = NewMenu("mnuLangue", bar);
    language->addAction(NewAction("mnuAnglais", true));
    language->addAction(NewAction("mnuFrancais", true));

    QMenu* about = NewMenu("mnaAPropos", bar);
    about->addAction(NewAction("mnuHelp"));
    about->addAction(NewAction("mnuAProposDe"));

    for (QMenu* menu : {file, configuration, folders, logs, language, about}) {
        bar->addMenu(menu);
    }

    popup_ = NewMenu("mnuPopup", this);
    popup_->addAction(NewAction("mnuAjouterAvant"));
    popup_->addAction(NewAction("mnuAjouterApres"));
    popup_->addSeparator();
    popup_->addAction(NewAction("mnuModifier"));
    popup_->addSeparator();
    popup_->addAction(NewAction("mnuSupprimer"));

    // The tray's menu is the File menu.
    trayMenu_ = new QMenu(this);
    trayMenu_->setObjectName("mnuFichierTray");
    trayMenu_->addAction(Action("mnuRestaurer"));
    trayMenu_->addAction(Action("mnuQuitter"));

    for (const CaptionEntry& entry : kFixedCaptions) {
        const QString name = Q(entry.control);
        if (QMenu* menu = Menu(name)) {
            menu->setTitle(Q(entry.text.english));
        } else if (auto* label = findChild<QLabel*>(name)) {
            label->setText(Q(entry.text.english));
        }
    }
}

void MainWindow::ConnectCommands() {
    connect(start_, &QPushButton::clicked, this, [this] { context_.scheduler.Start(); });
    connect(stop_, &QPushButton::clicked, this, [this] { context_.scheduler.Stop(); });
    connect(immediate_, &QCheckBox::clicked, this,
            [this](bool ticked) { context_.scheduler.SetImmediate(ticked); });
    connect(timer_, &QTimer::timeout, this, [this] { context_.scheduler.Tick(); });

    connect(Action("mnuRestaurer"), &QAction::triggered, this, [this] { Restore(); });
    connect(Action("mnuQuitter"), &QAction::triggered, this, [this] { close(); });
    connect(Action("mnuUseShortPathnames"), &QAction::triggered, this,
            [this] { ToggleShortPathnames(); });
    connect(Action("mnuEditerIni"), &QAction::triggered, this,
            [this] { EditConfigurationFile(Commands()); });
    for (const char* name : {"mnuConfigurationSupprimer", "mnuSupprimer"}) {
        connect(Action(name), &QAction::triggered, this, [this] { RemoveSelected(); });
    }
    for (const char* name : {"mnuAnglais", "mnuFrancais"}) {
        connect(Action(name), &QAction::triggered, this, [this] { SwitchLanguage(); });
    }
    connect(Action("mnuHelp"), &QAction::triggered, this, [this] { ShowHelp(Commands()); });
    connect(Action("mnuAProposDe"), &QAction::triggered, this,
            [this] { AboutDialog::Open(this, settings_); });
    connect(Action("mnuModifierHeure"), &QAction::triggered, this, [this] { OpenPurgeTime(); });
    connect(Action("mnuService"), &QAction::triggered, this, [this] { OpenServiceDialog(); });
    connect(Action("mnuVoirLogs"), &QAction::triggered, this, [this] { ShowLogViewer(); });
    connect(Action("mnuDefinirLogs"), &QAction::triggered, this, [this] {
        LogFolderDialog::Open(this, settings_, *context_.program.config);
        SetChecks();
    });
    connect(Action("mnuPurgeLogs"), &QAction::triggered, this, [this] {
        LogRetentionDialog::Open(this, settings_, *context_.program.config);
        SetChecks();
    });
    connect(Action("mnuTemporisation"), &QAction::triggered, this, [this] {
        TempoDialog::Open(this, settings_, *context_.program.config, context_.program.scheduler);
    });
    connect(Action("mnuDemarrageAutomatique"), &QAction::triggered, this, [this] {
        AutomaticStartDialog::Open(this, settings_, *context_.program.config);
        SetChecks();
    });
    connect(Action("mnuTousFichiersObsoletes"), &QAction::triggered, this, [this] {
        AllObsoleteDialog::Open(this, settings_, *context_.program.config);
        SetChecks();
    });
    for (const char* name : {"mnuConfigurationAjouterAvant", "mnuAjouterAvant"}) {
        connect(Action(name), &QAction::triggered, this,
                [this] { OpenFolderEditor(FolderEditorMode::AddBefore); });
    }
    for (const char* name : {"mnuConfigurationAjouterApres", "mnuAjouterApres"}) {
        connect(Action(name), &QAction::triggered, this,
                [this] { OpenFolderEditor(FolderEditorMode::AddAfter); });
    }
    for (const char* name : {"mnuConfigurationModifier", "mnuModifier"}) {
        connect(Action(name), &QAction::triggered, this,
                [this] { OpenFolderEditor(FolderEditorMode::Modify); });
    }
    connect(grid_, &FolderGridView::RowDoubleClicked, this,
            [this](int) { OpenFolderEditor(FolderEditorMode::Modify); });
    // The purge time label opens its dialog in every state of the schedule.
    purgeTime_->installEventFilter(this);
    purgeTime_->setCursor(Qt::PointingHandCursor);

    connect(grid_, &FolderGridView::DeletePressed, this, [this] {
        if (Stopped() && grid_->CurrentRow() >= 0) {
            RemoveSelected();
        }
    });
    connect(grid_, &FolderGridView::ContextMenuAsked, this,
            [this](const QPoint& position) { ShowContextMenu(position); });
    connect(&context_.tray, &TrayIcon::LeftClicked, this, [this] { ToggleFromTray(); });
}

QAction* MainWindow::Action(const QString& name) const {
    const auto found = actions_.find(name);
    return found == actions_.end() ? nullptr : found->second;
}

QMenu* MainWindow::Menu(const QString& name) const {
    const auto found = menus_.find(name);
    return found == menus_.end() ? nullptr : found->second;
}

CommandContext MainWindow::Commands() {
    return {settings_,
            *context_.program.config,
            context_.program.folders,
            context_.frontEnd,
            context_.open,
            [](const std::string& path) { return QFileInfo::exists(Q(path)); },
            context_.edit};
}

bool MainWindow::Stopped() const {
    return mode_ == SchedulerMode::Stopped;
}

bool MainWindow::ServiceInstalledHere() const {
    return settings_.IsNt && context_.service.IsInstalled();
}

bool MainWindow::Load() {
    setWindowTitle(Q(MainWindowTitle(settings_)));
    SetChecks();
    setWindowState(settings_.DemarrageAutomatiqueLancement ? Qt::WindowMinimized
                                                           : Qt::WindowMaximized);
    immediate_->setChecked(settings_.PurgeImmediate);
    if (settings_.PurgeImmediate) {
        context_.scheduler.SetImmediate(true);
    }
    purgeTime_->setText(Q(PurgeTimeText(settings_)));
    lastPurge_->setText(Q(LastPurgeStatusText(settings_)));
    status_->hide();
    busy_->hide();
    FolderListChanged();
    if (!settings_.RunOnce) {
        context_.tray.Show(QIcon(":/icons/tray.svg"), Q(settings_.ProgramTitle), trayMenu_);
    }
    modeLabel_->hide();
    switch (CheckInstalledService(settings_, context_.service, context_.frontEnd)) {
        case InstalledServiceOutcome::ServiceProcess:
            exitDisabled_ = true;
            modeLabel_->show();
            break;
        case InstalledServiceOutcome::EndProgram:
            context_.tray.Remove();
            return false;
        case InstalledServiceOutcome::Removed:
        case InstalledServiceOutcome::NotInstalled:
            break;
    }
    ApplyEnabling();
    return true;
}

void MainWindow::SetChecks() {
    Action("mnuUseShortPathnames")->setChecked(settings_.UseShortPathnames);
    Action("mnuDemarrageAutomatique")->setChecked(settings_.DemarrageAutomatiqueLancement);
    Action("mnuTousFichiersObsoletes")->setChecked(settings_.TousFichiersObsoletes);
    Action("mnuDefinirLogs")->setChecked(settings_.Logs);
    Action("mnuPurgeLogs")->setChecked(settings_.PurgeLogs);
}

void MainWindow::ApplyCaptions() {
    for (const Caption& caption : CaptionsFor(settings_)) {
        const QString name = Q(caption.control);
        const QString text = Q(caption.text);
        if (QAction* action = Action(name)) {
            if (caption.property == CaptionProperty::CheckMark) {
                action->setChecked(caption.checked);
            } else {
                action->setText(text);
            }
        } else if (QMenu* menu = Menu(name)) {
            menu->setTitle(text);
        } else if (auto* widget = centralWidget()->findChild<QWidget*>(name)) {
            if (caption.property == CaptionProperty::ToolTip) {
                widget->setToolTip(text);
            } else if (auto* label = qobject_cast<QLabel*>(widget)) {
                label->setText(text);
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                button->setText(text);
            }
        }
    }
    model_->Refresh();
    Relayout();
}

void MainWindow::SetLastPurgeText(const QString& text) {
    lastPurge_->setText(text);
    Relayout();
}

void MainWindow::SetStatusText(const QString& text) {
    status_->setText(text);
    status_->repaint();
}

void MainWindow::SetBusyVisible(bool visible) {
    status_->setVisible(visible);
    busy_->setVisible(visible);
}

void MainWindow::ShowHourglassFrame(int frame) {
    busy_->setPixmap(
        QIcon(QString(":/icons/hourglass%1.svg").arg(frame)).pixmap(kPictureSize, kPictureSize));
}

void MainWindow::SetPurgeTimeVisible(bool visible) {
    purgeTime_->setVisible(visible);
}

void MainWindow::SetSchedulerMode(SchedulerMode mode) {
    mode_ = mode;
    if (mode == SchedulerMode::Running) {
        timer_->start();
    } else {
        timer_->stop();
    }
    ApplyEnabling();
}

void MainWindow::ApplyEnabling() {
    const MainWindowControls controls = ControlsFor(mode_, settings_.IsNt);
    start_->setEnabled(controls.startEnabled);
    stop_->setEnabled(controls.stopEnabled);
    immediate_->setEnabled(controls.immediateEnabled);
    const auto enable = [this](const char* name, bool on) { Action(name)->setEnabled(on); };
    enable("mnuModifierHeure", controls.settingsMenusEnabled);
    enable("mnuTemporisation", controls.settingsMenusEnabled);
    enable("mnuEditerIni", controls.settingsMenusEnabled);
    enable("mnuService", controls.serviceMenuEnabled);
    Menu("mnuDossiers")->menuAction()->setEnabled(controls.settingsMenusEnabled);
    enable("mnuQuitter", !exitDisabled_);
}

void MainWindow::FolderListChanged() {
    model_->Refresh();
    UpdateEmptyListHint();
}

void MainWindow::UpdateEmptyListHint() {
    const bool empty = context_.program.folders.Size() == 0;
    hint_->setVisible(empty);
    start_->setVisible(!empty);
    stop_->setVisible(!empty);
    immediate_->setVisible(!empty);
    Relayout();
}

void MainWindow::ShowAtStart() {
    if (!settings_.DemarrageAutomatiqueLancement) {
        showMaximized();
    } else if (!context_.tray.Available()) {
        // Without a notification area a hidden window could never be found again.
        showMinimized();
    }
}

bool MainWindow::IsShownToUser() const {
    return isVisible() && !isMinimized();
}

void MainWindow::Restore() {
    // Out of the minimized state first: a window mapped while still minimized stays iconic.
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    show();
    raise();
    activateWindow();
}

void MainWindow::ToggleFromTray() {
    if (!IsShownToUser()) {
        Restore();
    } else if (context_.tray.Available()) {
        // Hidden straight away: a window iconified first may not map again where no window
        // manager answers the request.
        hide();
    } else {
        showMinimized();
    }
}

void MainWindow::ShowContextMenu(const QPoint& globalPosition) {
    const ContextMenuState state =
        PrepareContextMenu(Stopped(), context_.program.folders.Size(), settings_.language());
    const auto apply = [this](const char* name, bool enabled) {
        Action(name)->setEnabled(enabled);
    };
    apply("mnuAjouterAvant", state.addBeforeEnabled);
    Action("mnuAjouterAvant")->setText(Q(state.addBeforeCaption));
    apply("mnuAjouterApres", state.addAfterEnabled);
    Action("mnuAjouterApres")->setVisible(state.addAfterVisible);
    apply("mnuModifier", state.modifyEnabled);
    apply("mnuSupprimer", state.removeEnabled);
    popup_->popup(globalPosition);
}

void MainWindow::ShowLogViewer() {
    if (!logViewer_) {
        logViewer_ = std::make_unique<LogViewerWindow>(
            settings_, context_.open,
            LogViewerWindow::MainWindowCalls{[this] { showMinimized(); }, [this] { Restore(); },
                                             [this] { return IsShownToUser(); }});
    }
    logViewer_->ShowFromMenu();
}

void MainWindow::OpenServiceDialog() {
    switch (ServiceDialog::Open(this, settings_, *context_.program.config, context_.service)) {
        case ServiceDialogOutcome::Installed:
            // The service takes over the purging: this copy ends.
            modeLabel_->show();
            quitting_ = true;
            context_.tray.Remove();
            context_.quit(0);
            break;
        case ServiceDialogOutcome::Removed:
            modeLabel_->hide();
            break;
        case ServiceDialogOutcome::Closed:
            break;
    }
}

void MainWindow::OpenPurgeTime() {
    if (PurgeTimeDialog::Open(this, settings_, *context_.program.config)) {
        purgeTime_->setText(Q(PurgeTimeText(settings_)));
        Relayout();
    }
}

void MainWindow::OpenFolderEditor(FolderEditorMode mode) {
    // Rows may not change while a count or purge walks them, nor while the schedule runs.
    if (!Stopped() || context_.work.Busy()) {
        return;
    }
    const int selected = grid_->CurrentRow();
    if (mode == FolderEditorMode::Modify && selected < 0) {
        return;
    }
    const auto written =
        FolderEditorDialog::Open(this, mode, selected,
                                 {settings_, *context_.program.config, context_.program.folders,
                                  context_.countFiles, platform::HomeDirectory()});
    FolderListChanged();
    if (written) {
        const QModelIndex cell = grid_->model()->index(static_cast<int>(*written), kActionColumn);
        grid_->setCurrentIndex(cell);
        grid_->scrollTo(cell);
        // The editor leaves no row highlighted.
        grid_->clearSelection();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == purgeTime_ && event->type() == QEvent::MouseButtonRelease) {
        OpenPurgeTime();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::RemoveSelected() {
    // Rows may not change while a count or purge walks them.
    if (!Stopped() || context_.work.Busy()) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    RemoveSelectedFolder(Commands(), grid_->CurrentRow());
    QApplication::restoreOverrideCursor();
    UpdateEmptyListHint();
}

void MainWindow::SwitchLanguage() {
    quellix::SwitchLanguage(settings_, *context_.program.config, context_.program.folders);
    ApplyCaptions();
    purgeTime_->setText(Q(PurgeTimeText(settings_)));
    lastPurge_->setText(Q(LastPurgeStatusText(settings_)));
    Relayout();
}

void MainWindow::ToggleShortPathnames() {
    quellix::ToggleShortPathnames(settings_, *context_.program.config);
    Action("mnuUseShortPathnames")->setChecked(settings_.UseShortPathnames);
    context_.countPass();
}

void MainWindow::Relayout() {
    QWidget* central = centralWidget();
    purgeTime_->adjustSize();
    lastPurge_->adjustSize();
    hint_->adjustSize();
    const ResizeLayout layout = ComputeResizeLayout(
        {central->width(), central->height(), width(), grid_->y(), start_->x(), purgeTime_->width(),
         lastPurge_->width(), hint_->width(), NarrowColumnWidth()});
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
    // room its widest header or cell needs, the same for the four columns.
    int width = kNarrowColumnWidth;
    for (const int column : {kFileCountColumn, kRetentionColumn, kSubfoldersColumn, kDateColumn}) {
        width = std::max(width, grid_->NeededWidth(column));
    }
    return width;
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Relayout();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && context_.tray.Available()) {
        // Reached again from the tray icon; hidden once the state change is over.
        QTimer::singleShot(0, this, [this] {
            if (isMinimized()) {
                hide();
            }
        });
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
               !ServiceInstalledHere()) {
        UpdateEmptyListHint();
    }
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    // A click beside the grid takes the highlight off its row.
    grid_->clearSelection();
    QMainWindow::mousePressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (quitting_) {
        event->accept();
        return;
    }
    if (exitDisabled_ || !ConfirmExit(settings_, context_.frontEnd)) {
        event->ignore();
        return;
    }
    quitting_ = true;
    context_.tray.Remove();
    event->accept();
    context_.quit(0);
}

}  // namespace quellix
