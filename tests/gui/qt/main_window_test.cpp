#include "gui/qt/mainwindow/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>

#include "core/config/config_texts.h"
#include "core/mainwindow/menu_table.h"
#include "core/mainwindow/scheduler.h"
#include "gui/qt/common/message_box.h"
#include "gui/qt/dialogs/folder_chooser_view.h"
#include "gui/qt/mainwindow/folder_grid_view.h"
#include "gui/qt/mainwindow/loading_window.h"
#include "gui/qt/mainwindow/purge_preview_window.h"
#include "gui_fixture.h"

namespace quellix::test {
namespace {

constexpr std::int64_t kLongAgo = 1'000'000'000;  // 2001: older than any retention

std::string TwoFolders() {
    return "[Purge]\nHeure=12:00\n[Paths]\nNbPaths=2\n" +
           Entry(1, "a", "48", "oui [D]", "Effacer") + Entry(2, "b", "25", "non", "Corbeille");
}

template <typename Widget>
Widget* Child(const MainWindow& window, const char* name) {
    auto* widget = window.findChild<Widget*>(name);
    if (widget == nullptr) {
        qFatal("no control %s", name);
    }
    return widget;
}

QString Cell(const MainWindow& window, int row, int column) {
    const QAbstractItemModel* model = window.Grid()->model();
    return model->data(model->index(row, column)).toString();
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // Start-up fills the loading window, the title, the grid and its counts.
    void StartUpShowsTheListWithItsCounts() {
        DesktopFixture f(TwoFolders());
        f.tree.File("a/old", kLongAgo);
        f.tree.File("a/sub/older", kLongAgo);
        f.tree.Folder("b");
        QCOMPARE(f.Start(), StartupOutcome::Running);
        MainWindow& window = f.Window();

        QCOMPARE(f.program->Front().Loading()->findChild<QLabel*>("Label1")->text(),
                 QString("Loading folders"));
        QCOMPARE(f.program->Front().Loading()->findChild<QLabel*>("lblNombre")->text(),
                 QString("2/2"));
        QVERIFY(!f.program->Front().Loading()->isVisible());
        QVERIFY(window.windowTitle().startsWith("Quellix 1.0.0 - "));
        QVERIFY(window.windowTitle().contains("Linux "));
        QVERIFY(window.isVisible());
        QVERIFY(f.Tray().shown);
        QCOMPARE(f.Tray().tip, QString("Quellix 1.0.0"));

        QCOMPARE(Cell(window, 0, 0), QString("2"));
        QCOMPARE(Cell(window, 1, 0), QString("0"));
        QCOMPARE(Cell(window, 0, 3), QString("yes [D]"));
        QCOMPARE(Cell(window, 1, 5), QString("Recycle Bin"));
        const QAbstractItemModel* model = window.Grid()->model();
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString("Total files\n2"));
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString("Folders to purge (2)"));
        QCOMPARE(model->data(model->index(0, 5), Qt::ForegroundRole).value<QColor>(),
                 QColor(255, 0, 0));
        QVERIFY(model->data(model->index(0, 5), Qt::FontRole).value<QFont>().bold());
        QCOMPARE(model->data(model->index(0, 2), Qt::ToolTipRole).toString(), QString("2 days"));
        // A path the grid may cut short is whole in its tip.
        QCOMPARE(model->data(model->index(0, 1), Qt::ToolTipRole).toString(), Cell(window, 0, 1));
        QCOMPARE(model->data(model->index(1, 2), Qt::ToolTipRole).toString(),
                 QString("1 day 1 hour"));

        // Tab leaves the grid instead of walking its cells.
        window.activateWindow();
        window.Grid()->setFocus();
        QTRY_VERIFY(window.Grid()->hasFocus());
        QTest::keyClick(window.Grid(), Qt::Key_Tab);
        QVERIFY(!window.Grid()->hasFocus());

        // A count that rises shows the rise picture.
        f.tree.File("a/new", kLongAgo);
        f.program->Front().RunCountPass();
        QCOMPARE(Cell(window, 0, 0), QString("3"));
        QVERIFY(!model->data(model->index(0, 0), Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(model->data(model->index(1, 0), Qt::DecorationRole).isNull());
    }

    // Start-up runs before the event loop: the loading window lets events run when it shows and
    // as its texts change, paced by time, or it would stay a black rectangle.
    void LoadingWindowIsPaintedBeforeTheEventLoop() {
        LoadingWindow loading;
        int eventsRun = 0;
        QTimer::singleShot(0, &loading, [&eventsRun] { ++eventsRun; });
        loading.ShowLoadingWindow("Quellix");
        QCOMPARE(eventsRun, 1);
        QTimer::singleShot(0, &loading, [&eventsRun] { ++eventsRun; });
        loading.SetLoadingMessage(texts::kLoadingFolders.french);
        QCOMPARE(eventsRun, 2);
        // The message shows whole, however long.
        auto* message = loading.findChild<QLabel*>("Label1");
        QVERIFY(message->width() >= message->sizeHint().width());
        QVERIFY(loading.rect().contains(message->geometry()));
        // A counter step right after is not worth a pass through the events.
        QTimer::singleShot(0, &loading, [&eventsRun] { ++eventsRun; });
        loading.SetLoadingCounter("1/20000");
        QCOMPARE(eventsRun, 2);
    }

    // The menus come from the menu table; commands and captions reach them through the presenter.
    void MenusBuiltFromTheTable() {
        DesktopFixture f(TwoFolders());
        f.tree.Folder("a");
        QCOMPARE(f.Start(), StartupOutcome::Running);
        MainWindow& window = f.Window();
        const QList<QAction*> bar = window.menuBar()->actions();
        QCOMPARE(bar.size(), static_cast<qsizetype>(MenuBarMenus().size()));
        for (qsizetype i = 0; i < bar.size(); ++i) {
            const MenuDefinition& definition = MenuBarMenus()[static_cast<std::size_t>(i)];
            QMenu* menu = bar[i]->menu();
            QCOMPARE(menu->objectName().toStdString(), std::string(definition.name));
            QCOMPARE(menu->title().toStdString(),
                     std::string(MenuCaption(definition.name).english));
            const QList<QAction*> items = menu->actions();
            QCOMPARE(items.size(), static_cast<qsizetype>(definition.items.size()));
            for (qsizetype j = 0; j < items.size(); ++j) {
                const MenuItem& item = definition.items[static_cast<std::size_t>(j)];
                QCOMPARE(items[j]->isSeparator(), item.IsSeparator());
                QCOMPARE(items[j]->objectName().toStdString(), std::string(item.name));
                QCOMPARE(items[j]->isCheckable(), item.Checkable());
            }
        }
        QVERIFY(window.Action("mnuAnglais")->isChecked());

        // The context menu pops up at the pointer, prepared for the list.
        QMenu* popup = window.Menu("mnuPopup");
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20),
                                window.Grid()->viewport()->mapToGlobal(QPoint(20, 20)));
        QApplication::sendEvent(window.Grid()->viewport(), &event);
        QTRY_VERIFY(popup->isVisible());
        popup->hide();
        QCOMPARE(window.Action("mnuAjouterAvant")->text(), QString("Add a new folder &before"));

        // Either language item switches; captions, menus, cells and the file follow.
        window.Action("mnuFrancais")->trigger();
        QCOMPARE(Child<QPushButton>(window, "cmdDemarrer")->text(), QString("Démarrer"));
        QCOMPARE(window.Menu("mnuFichier")->title(), QString("&Fichier"));
        QCOMPARE(window.Menu("mnuConfiguration")->title(), QString("&Configuration"));
        QCOMPARE(window.Action("mnuQuitter")->text(), QString("&Quitter"));
        QVERIFY(window.Action("mnuFrancais")->isChecked());
        QVERIFY(!window.Action("mnuAnglais")->isChecked());
        QCOMPARE(Cell(window, 1, 0), QString("inconnu"));
        QCOMPARE(Child<QLabel>(window, "lblHeurePurge")->text(),
                 QString("Purge à 12:00 [Lun Mar Mer Jeu Ven Sam Dim] "));
        QCOMPARE(window.Grid()->model()->headerData(2, Qt::Horizontal).toString(),
                 QString("Rétention\n(en heures)"));
        QVERIFY(f.Ini().find("Langue=1") != std::string::npos);

        // Check Logs opens the viewer, which opens the newest log of the log folder at once.
        f.dir.Write("Log Quellix 2026-12-01.htm", "<html></html>");
        f.dir.Write("Log Quellix 2026-12-02.htm", "<html></html>");
        window.Action("mnuVoirLogs")->trigger();
        QCOMPARE(f.opened.back(), f.dir.File("Log Quellix 2026-12-02.htm"));
    }

    // Start, Stop and the immediate purge drive the buttons, the menus and the timer.
    void StartStopAndImmediatePurge() {
        DesktopFixture f(TwoFolders());
        f.tree.File("a/old", kLongAgo);
        f.tree.Folder("b");
        QCOMPARE(f.Start(), StartupOutcome::Running);
        MainWindow& window = f.Window();
        auto* start = Child<QPushButton>(window, "cmdDemarrer");
        auto* stop = Child<QPushButton>(window, "cmdArreter");
        auto* immediate = Child<QCheckBox>(window, "chkPurgeImmediate");
        auto* timer = Child<QTimer>(window, "Timer1");
        const auto stoppedState = [&] {
            return start->isEnabled() && !stop->isEnabled() && immediate->isEnabled() &&
                   window.Action("mnuEditerIni")->isEnabled() &&
                   window.Menu("mnuDossiers")->menuAction()->isEnabled() && !timer->isActive();
        };
        QVERIFY(stoppedState());

        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(!start->isEnabled() && stop->isEnabled() && !immediate->isEnabled());
        QVERIFY(!window.Action("mnuEditerIni")->isEnabled());
        QVERIFY(!window.Menu("mnuDossiers")->menuAction()->isEnabled());
        QVERIFY(window.Action("mnuUseShortPathnames")->isEnabled());
        QVERIFY(timer->isActive());
        // Each tick shows the countdown beside the next hourglass picture.
        auto* status = Child<QLabel>(window, "lblMaj");
        auto* busy = Child<QLabel>(window, "imgRefresh");
        QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
        QCOMPARE(status->text(), QString("Update in 30 seconds"));
        QVERIFY(status->isVisible() && busy->isVisible());
        const QImage firstFrame = busy->pixmap().toImage();
        QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
        QCOMPARE(status->text(), QString("Update in 29 seconds"));
        QVERIFY(busy->pixmap().toImage() != firstFrame);
        // A running schedule keeps the list as it is.
        window.Grid()->setCurrentIndex(window.Grid()->model()->index(0, 1));
        QTest::keyClick(window.Grid(), Qt::Key_Delete);
        QCOMPARE(window.Grid()->model()->rowCount(), 2);
        QVERIFY(MessageBoxes::Asked().empty());

        QTest::mouseClick(stop, Qt::LeftButton);
        QVERIFY(stoppedState());
        QVERIFY(!status->isVisible() && !busy->isVisible());

        // Ticking the box hides the purge time and is written at once; Start then asks and
        // purges, and everything is back as stopped.
        QTest::mouseClick(immediate, Qt::LeftButton);
        QVERIFY(!Child<QLabel>(window, "lblHeurePurge")->isVisible());
        QVERIFY(f.Ini().find("PurgeImmediate=1") != std::string::npos);
        MessageBoxes::Script({MessageAnswer::Yes});
        QTest::mouseClick(start, Qt::LeftButton);
        QCOMPARE(MessageBoxes::Asked().size(), std::size_t{1});
        QCOMPARE(MessageBoxes::Asked()[0].text, std::string("Purge NOW the 2 folders in the list"));
        QVERIFY(!f.tree.Exists("a/old"));
        QVERIFY(stoppedState());
        QCOMPARE(Cell(window, 0, 0), QString("0"));
    }

    // Columns 0, 2, 3 and 4 keep their width; the path and destination share the rest.
    void ResizeLaysOutTheColumns() {
        DesktopFixture f(TwoFolders());
        f.tree.Folder("a");
        f.tree.Folder("b");
        QCOMPARE(f.Start(), StartupOutcome::Running);
        MainWindow& window = f.Window();
        window.showNormal();
        // Too narrow a size stops where the top rows' texts would meet.
        for (const QSize size : {QSize(1000, 600), QSize(300, 400)}) {
            window.resize(size);
            QTRY_COMPARE(
                window.size(),
                QSize(std::max(size.width(), window.minimumSizeHint().width()), size.height()));
            FolderGridView* grid = window.Grid();
            QCOMPARE(grid->width(), window.centralWidget()->width() - 1);
            // At least 70 pixels, and never narrower than a header or a cell needs.
            const int narrow = grid->columnWidth(0);
            QVERIFY(narrow >= 70);
            for (int column : {0, 2, 3, 4}) {
                QCOMPARE(grid->columnWidth(column), narrow);
                QVERIFY(narrow >= grid->horizontalHeader()->sectionSizeHint(column));
                QVERIFY(narrow >= grid->sizeHintForColumn(column));
            }
            QCOMPARE(grid->columnWidth(1), (grid->width() - 4 * narrow) / 2);
            QCOMPARE(grid->columnWidth(5), grid->columnWidth(1));
            auto* purgeTime = Child<QLabel>(window, "lblHeurePurge");
            QCOMPARE(
                purgeTime->geometry().right() + 1,
                window.centralWidget()->width() - Child<QPushButton>(window, "cmdDemarrer")->x());
        }
        // The countdown's line takes room on the first row: the window widens to keep it clear
        // of the purge time.
        QTest::mouseClick(Child<QPushButton>(window, "cmdDemarrer"), Qt::LeftButton);
        QMetaObject::invokeMethod(Child<QTimer>(window, "Timer1"), "timeout", Qt::DirectConnection);
        auto* status = Child<QLabel>(window, "lblMaj");
        QVERIFY(status->isVisible());
        QTRY_VERIFY(Child<QLabel>(window, "lblHeurePurge")->x() > status->geometry().right());
        QTest::mouseClick(Child<QPushButton>(window, "cmdArreter"), Qt::LeftButton);
        // Neither the other language nor a folder gone missing ("inconnu") moves a column.
        const int narrow = window.Grid()->columnWidth(0);
        QCOMPARE(Cell(window, 1, 0), QString("0"));
        window.Action("mnuFrancais")->trigger();
        std::filesystem::remove_all(f.tree.Path("b"));
        f.program->Front().RunCountPass();
        QCOMPARE(Cell(window, 1, 0), QString("inconnu"));
        for (int column : {0, 2, 3, 4}) {
            QCOMPARE(window.Grid()->columnWidth(column), narrow);
            QVERIFY(narrow >= window.Grid()->horizontalHeader()->sectionSizeHint(column));
            QVERIFY(narrow >= window.Grid()->sizeHintForColumn(column));
        }
    }

    // Exit asks; No keeps everything; Yes removes the tray icon and ends the program.
    void ExitAsksFirst() {
        DesktopFixture f(TwoFolders());
        QCOMPARE(f.Start(), StartupOutcome::Running);
        MainWindow& window = f.Window();
        MessageBoxes::Script({MessageAnswer::No});
        window.Action("mnuQuitter")->trigger();
        QCOMPARE(MessageBoxes::Asked().at(0).text, std::string("Exit program"));
        QVERIFY(window.isVisible());
        QVERIFY(f.Tray().shown);
        QVERIFY(!f.program->QuitRequested());

        // The close box asks the same.
        MessageBoxes::Script({MessageAnswer::Yes});
        QVERIFY(window.close());
        QCOMPARE(MessageBoxes::Asked().at(0).text, std::string("Exit program"));
        QVERIFY(!f.Tray().shown);
        QVERIFY(f.program->QuitRequested());
        QCOMPARE(f.endedWith, std::optional<int>(0));
    }

    // Exit confirmed while a purge runs stops it at its next file.
    void ExitDuringAPurge() {
        DesktopFixture f("[Purge]\nPurgeImmediate=1\n[Paths]\nNbPaths=1\n" +
                         Entry(1, "a", "24", "non", "Effacer"));
        constexpr std::size_t kFiles = 2000;
        for (std::size_t i = 0; i < kFiles; ++i) {
            f.tree.File("a/f" + std::to_string(i), kLongAgo);
        }
        QCOMPARE(f.Start(), StartupOutcome::Running);
        MainWindow& window = f.Window();
        // The purge question, then Exit from a close handled once the purge has begun.
        MessageBoxes::Script({MessageAnswer::Yes, MessageAnswer::Yes});
        f.program->Front().SetEventInterval(0);
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, &window, [&] {
            if (f.tree.List("a").size() < kFiles) {
                probe.stop();
                window.close();
            }
        });
        probe.start(0);
        QTest::mouseClick(Child<QPushButton>(window, "cmdDemarrer"), Qt::LeftButton);
        QCOMPARE(MessageBoxes::Asked().size(), std::size_t{2});
        QCOMPARE(MessageBoxes::Asked()[1].text, std::string("Exit program"));
        QVERIFY(f.program->QuitRequested());
        const std::size_t left = f.tree.List("a").size();
        QVERIFY(left > 0);
        QVERIFY(left < kFiles);
    }

    // The tray's left click hides and brings back; without a tray a minimized window stays in
    // the task bar.
    void TrayToggle() {
        {
            DesktopFixture f(TwoFolders());
            QCOMPARE(f.Start(), StartupOutcome::Running);
            MainWindow& window = f.Window();
            QVERIFY(window.IsShownToUser());
            f.Tray().Click();
            QTRY_VERIFY(!window.isVisible());
            QVERIFY(!f.program->Front().IsMainWindowVisible());
            f.Tray().Click();
            QTRY_VERIFY(window.IsShownToUser());
            QVERIFY(window.windowState() & Qt::WindowMaximized);
            QCOMPARE(f.Tray().menu->actions().size(), 2);
        }
        {
            DesktopFixture f(TwoFolders(), false);
            QCOMPARE(f.Start(), StartupOutcome::Running);
            MainWindow& window = f.Window();
            window.showMinimized();
            QTest::qWait(0);
            QVERIFY(window.isVisible());
        }
        {
            // Started with its schedule running: only the tray icon shows it.
            DesktopFixture f("[Purge]\nDemarrageAutomatiqueLancement=1\n" +
                             TwoFolders().substr(std::string("[Purge]\n").size()));
            QCOMPARE(f.Start(), StartupOutcome::Running);
            QVERIFY(!f.Window().isVisible());
            QVERIFY(f.Tray().shown);
            QVERIFY(!Child<QPushButton>(f.Window(), "cmdDemarrer")->isEnabled());
        }
    }

    // From an empty configuration, a folder is added with the mouse through the context menu and
    // the editor; the purge time label opens its dialog.
    void ListBuiltFromTheWindow() {
        DesktopFixture f("");
        f.tree.File("inbox/old", kLongAgo);
        QCOMPARE(f.Start(), StartupOutcome::Running);
        MainWindow& window = f.Window();
        QVERIFY(Child<QLabel>(window, "lblBulle")->isVisible());
        QVERIFY(window.Action("mnuAjouterAvant")->isEnabled());

        bool edited = false;
        QTimer::singleShot(0, &window, [&] {
            auto* editor = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(editor != nullptr);
            auto* lists = editor->findChild<FolderChooserView*>();
            QVERIFY(lists != nullptr &&
                    lists->SetPath(QString::fromStdString(f.tree.Path("inbox"))));
            editor->findChild<QComboBox*>("comboRetention")->setEditText("48");
            QTest::mouseClick(editor->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
            edited = true;
        });
        window.Action("mnuAjouterAvant")->trigger();
        QVERIFY(edited);
        QCOMPARE(window.Grid()->model()->rowCount(), 1);
        QCOMPARE(Cell(window, 0, 0), QString("1"));
        QCOMPARE(Cell(window, 0, 1), QString::fromStdString(f.tree.Path("inbox") + "/"));
        QVERIFY(!Child<QLabel>(window, "lblBulle")->isVisible());
        QVERIFY(Child<QPushButton>(window, "cmdDemarrer")->isVisible());
        QVERIFY(f.Ini().find("NbPaths=1") != std::string::npos);
        QVERIFY(f.Ini().find("RetentionPath1=48") != std::string::npos);

        // A click on the purge time label opens its dialog; Cancel keeps the time.
        bool asked = false;
        QTimer::singleShot(0, &window, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            asked = dialog != nullptr && dialog->objectName() == "frmHeure";
            if (dialog != nullptr) {
                dialog->reject();
            }
        });
        QTest::mouseClick(Child<QLabel>(window, "lblHeurePurge"), Qt::LeftButton);
        QVERIFY(asked);
        QVERIFY(f.Ini().find("Heure=12:00") != std::string::npos);
    }

    // The Folders menu's preview lists what a purge of every entry would do, and changes nothing;
    // the context menu's, of the row under the pointer alone.
    void PreviewFromTheMenuAndFromARow() {
        DesktopFixture f(TwoFolders());
        f.tree.File("a/old", kLongAgo, "12345");
        f.tree.File("a/sub/older", kLongAgo, "1");
        f.tree.File("a/new", 4'000'000'000);
        f.tree.File("b/old", kLongAgo, "123");
        QCOMPARE(f.Start(), StartupOutcome::Running);
        MainWindow& window = f.Window();

        window.Action("mnuApercuPurge")->trigger();
        auto* preview = window.findChild<PurgePreviewWindow*>();
        QVERIFY(preview != nullptr && preview->isVisible() && !preview->isModal());
        QCOMPARE(preview->windowTitle(), QString("Preview of the purge - Quellix"));
        const auto shown = [&] {
            QStringList lines;
            QTreeWidget* list = preview->List();
            for (int group = 0; group < list->topLevelItemCount(); ++group) {
                const QTreeWidgetItem* heading = list->topLevelItem(group);
                lines << heading->text(0);
                for (int row = 0; row < heading->childCount(); ++row) {
                    const QTreeWidgetItem* item = heading->child(row);
                    lines << item->text(0) + " | " + item->text(1) + " | " + item->text(2);
                }
            }
            return lines;
        };
        const QString a = QString::fromStdString(f.tree.Path("a"));
        const QString b = QString::fromStdString(f.tree.Path("b"));
        const QString recycle = "Move to the trash | " + b + "/old | 3 bytes";
        const QStringList expected = {
            a + "/: 2 files (6 bytes), 1 empty subfolder; 0 files in use, 0 left otherwise",
            "Delete | " + a + "/old | 5 bytes",
            "Delete | " + a + "/sub/older | 1 byte",
            "Remove the empty subfolder | " + a + "/sub | ",
            b + "/: 1 file (3 bytes), 0 empty subfolders; 0 files in use, 0 left otherwise",
            recycle};
        QCOMPARE(shown(), expected);
        QCOMPARE(preview->findChild<QLabel*>("lblTotaux")->text(),
                 QString("In all: 3 files (9 bytes), 1 empty subfolder; 0 files in use, 0 left "
                         "otherwise"));
        QVERIFY(f.tree.Exists("a/old") && f.tree.Exists("a/sub/older") && f.tree.Exists("b/old"));
        // A click on the Size header sorts each entry's rows by their bytes.
        QHeaderView* header = preview->List()->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
        QCOMPARE(preview->List()->topLevelItem(0)->child(0)->text(1), a + "/sub");
        QCOMPARE(header->sortIndicatorSection(), 2);
        QTest::keyClick(preview, Qt::Key_Escape);
        QVERIFY(!preview->isVisible());

        // The context menu on the second row: its entry alone, in French.
        window.Action("mnuFrancais")->trigger();
        QMenu* popup = window.Menu("mnuPopup");
        const QRect second = window.Grid()->visualRect(window.Grid()->model()->index(1, 1));
        window.Grid()->setCurrentIndex(window.Grid()->model()->index(1, 1));
        QContextMenuEvent event(QContextMenuEvent::Mouse, second.center(),
                                window.Grid()->viewport()->mapToGlobal(second.center()));
        QApplication::sendEvent(window.Grid()->viewport(), &event);
        QTRY_VERIFY(popup->isVisible());
        QAction* item = window.Action("mnuApercu");
        QVERIFY(item->isEnabled());
        QCOMPARE(item->text(), QString("Aperçu &de la purge de ce dossier..."));
        item->trigger();
        popup->hide();
        QVERIFY(preview->isVisible());
        QCOMPARE(preview->windowTitle(), QString("Aperçu de la purge - Quellix"));
        QCOMPARE(shown(), (QStringList{b + "/ : 1 fichier (3 octets), 0 sous-dossier vide ; 0 "
                                           "fichier en cours d'utilisation, 0 laissé pour une "
                                           "autre raison",
                                       "Envoyer dans la Corbeille | " + b + "/old | 3 octets"}));
        QTest::mouseClick(preview->findChild<QPushButton*>("cmdFermer"), Qt::LeftButton);
        QVERIFY(!preview->isVisible());
    }

    // Installing the service from its dialog ends this copy; the service takes over.
    void InstallingTheServiceEndsTheProgram() {
        DesktopFixture f("");
        QCOMPARE(f.Start(), StartupOutcome::Running);
        MainWindow& window = f.Window();
        QVERIFY(window.Action("mnuService")->isEnabled());
        QTimer::singleShot(0, &window, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr && dialog->objectName() == "frmAdminService");
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdInstall"), Qt::LeftButton);
        });
        window.Action("mnuService")->trigger();
        QVERIFY(f.service.installed);
        QCOMPARE(f.endedWith, std::optional<int>(0));
        QVERIFY(!f.Tray().shown);
    }
};

}  // namespace quellix::test

QTEST_MAIN(quellix::test::MainWindowTest)
#include "main_window_test.moc"
