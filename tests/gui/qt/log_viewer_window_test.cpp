#include "gui/qt/logview/log_viewer_window.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

#include "gui/qt/common/message_box.h"
#include "support/temp_dir.h"

namespace quellix::test {

namespace {

const QColor kBlue(0, 0, 255);
const QColor kPurple(128, 0, 128);

QColor Colour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

// A viewer on a folder of logs, its openings and what it did to the main window recorded.
struct Viewer {
    explicit Viewer(std::initializer_list<int> days, std::int16_t langue = 0) {
        settings.PathLogs = dir.Path();
        settings.ProgramTitle = "Quellix 2.4.19";
        settings.Langue = langue;
        for (const int day : days) {
            AddLog(day);
        }
        window = std::make_unique<LogViewerWindow>(
            settings,
            [this](const std::string& path) {
                opened.push_back(path);
                return true;
            },
            LogViewerWindow::MainWindowCalls{[this] { ++minimized; }, [this] { ++restored; },
                                             [this] { return mainVisible; }});
    }

    void AddLog(int day) { dir.Write(Name(day), "<html>"); }
    static std::string Name(int day) {
        return "Log Quellix 2009-05-0" + std::to_string(day) + ".htm";
    }
    std::string File(int day) const { return dir.File(Name(day)); }
    QList<QLabel*> Dates() const { return window->findChildren<QLabel*>("Label"); }

    TempDir dir;
    Settings settings;
    std::vector<std::string> opened;
    int minimized = 0;
    int restored = 0;
    bool mainVisible = true;
    std::unique_ptr<LogViewerWindow> window;
};

// Every label of the window, the date labels and the column markers.
QList<QLabel*> AllLabels(const QWidget& window) {
    return window.findChildren<QLabel*>();
}

}  // namespace

class LogViewerWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { MessageBoxes::Script({}); }
    void cleanup() { MessageBoxes::StopScripting(); }

    void FiveLogsShowFourAndOneWithTheNewestOpened() {
        Viewer v({3, 5, 1, 4, 2});
        v.window->ShowFromMenu();
        QVERIFY(QTest::qWaitForWindowExposed(v.window.get()));

        const QList<QLabel*> dates = v.Dates();
        QCOMPARE(dates.size(), 5);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(dates[i]->text(), QString("2009-05-0%1").arg(i + 1));
            QVERIFY(dates[i]->isVisible());
            QCOMPARE(Colour(dates[i]), i == 4 ? kPurple : kBlue);
        }
        for (int i = 1; i < 4; ++i) {
            QCOMPARE(dates[i]->y(), dates[0]->y());
            QVERIFY(dates[i]->x() >= dates[i - 1]->x() + dates[i - 1]->width());
        }
        QCOMPARE(dates[4]->x(), dates[0]->x());
        QCOMPARE(dates[4]->y(), dates[0]->y() + 24);
        QCOMPARE(v.opened, std::vector<std::string>{v.File(5)});
        QCOMPARE(v.minimized, 0);

        QCOMPARE(v.window->objectName(), QString("frmVoirLogs"));
        QCOMPARE(v.window->windowTitle(), QString("Check Logs - [Back to Quellix: close] ->"));
        // Wide enough for its title, its only instruction, beside a title bar's icon and buttons.
        QVERIFY(v.window->width() >=
                v.window->fontMetrics().horizontalAdvance(v.window->windowTitle()) + 100);
        QVERIFY(v.window->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(v.window->testAttribute(Qt::WA_ShowWithoutActivating));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(v.window->frameGeometry().top(), screen.top());
        QCOMPARE(v.window->frameGeometry().right(), screen.right());
        // The scroll bar runs along the right edge.
        const auto* scroll = v.window->findChild<QScrollBar*>("VScroll1");
        QCOMPARE(scroll->geometry().right(), v.window->rect().right());
        QCOMPARE(scroll->height(), v.window->height());
    }

    void ClickOpensAndRemovalHidesOnlyItsDate() {
        Viewer v({1, 2, 3, 4, 5});
        v.window->ShowFromMenu();
        QList<QLabel*> dates = v.Dates();
        QTest::mouseClick(dates[1], Qt::LeftButton);
        QCOMPARE(v.opened.back(), v.File(2));
        QCOMPARE(Colour(dates[1]), kPurple);
        QCOMPARE(Colour(dates[2]), kBlue);
        QCOMPARE(v.minimized, 1);

        QList<QPoint> places;
        for (QLabel* date : dates) {
            places.push_back(date->pos());
        }
        auto* popup = v.window->findChild<QMenu*>("mnuSupprimer");
        auto* remove = v.window->findChild<QAction*>("mnuSupprimerLog");
        QTest::mouseClick(dates[2], Qt::RightButton);
        QVERIFY(popup->isVisible());
        QCOMPARE(remove->text(), QString("Remove Log '2009-05-03'"));
        QCOMPARE(v.window->findChild<QAction*>("mnuAnnuler")->text(), QString("Cancel"));
        popup->hide();

        MessageBoxes::Script({MessageAnswer::No});
        remove->trigger();
        QVERIFY(v.dir.Exists(Viewer::Name(3)));
        QVERIFY(dates[2]->isVisible());

        MessageBoxes::Script({MessageAnswer::Yes});
        remove->trigger();
        QVERIFY(!v.dir.Exists(Viewer::Name(3)));
        QVERIFY(!dates[2]->isVisible());
        for (int i : {0, 1, 3, 4}) {
            QVERIFY(dates[i]->isVisible());
            QCOMPARE(dates[i]->pos(), places[i]);
            QVERIFY(v.dir.Exists(Viewer::Name(i + 1)));
        }
        QCOMPARE(MessageBoxes::Asked().back().text, std::string("Remove Log '2009-05-03'"));
        QCOMPARE(MessageBoxes::Asked().size(), std::size_t(2));
    }

    // One click on the down arrow moves every label up by 10 pixels; hidden ones stay hidden.
    void ScrollStepMovesEveryLabel() {
        Viewer v({1, 2, 3, 4, 5});
        v.window->ShowFromMenu();
        QVERIFY(QTest::qWaitForWindowExposed(v.window.get()));
        MessageBoxes::Script({MessageAnswer::Yes});
        QTest::mouseClick(v.Dates()[1], Qt::RightButton);
        v.window->findChild<QMenu*>("mnuSupprimer")->hide();
        v.window->findChild<QAction*>("mnuSupprimerLog")->trigger();

        const QList<QLabel*> labels = AllLabels(*v.window);
        QCOMPARE(labels.size(), 5 + 3);
        QList<QPoint> before;
        QList<bool> shown;
        for (QLabel* label : labels) {
            before.push_back(label->pos());
            shown.push_back(label->isVisible());
        }
        QCOMPARE(shown.count(false), 1 + 3);

        auto* scroll = v.window->findChild<QScrollBar*>("VScroll1");
        QTest::mouseClick(scroll, Qt::LeftButton, {},
                          QPoint(scroll->width() / 2, scroll->height() - 4));
        QCOMPARE(scroll->value(), 10);
        for (int i = 0; i < labels.size(); ++i) {
            QCOMPARE(labels[i]->pos(), before[i] - QPoint(0, 10));
            QCOMPARE(labels[i]->isVisible(), shown[i]);
        }
        // Back up by the thumb: the labels follow the difference.
        scroll->setValue(0);
        for (int i = 0; i < labels.size(); ++i) {
            QCOMPARE(labels[i]->pos(), before[i]);
        }
    }

    // Check Logs on an open viewer brings it back without listing again; closing it brings the
    // main window back, and the next Check Logs lists the folder afresh.
    void ShowWhileOpenAndAfterClosing() {
        Viewer v({1, 2});
        v.window->ShowFromMenu();
        v.window->showMinimized();
        v.AddLog(3);
        v.window->ShowFromMenu();
        QCOMPARE(v.minimized, 1);
        QVERIFY(!v.window->isMinimized());
        QVERIFY(v.window->isVisible());
        QCOMPARE(v.Dates().size(), 2);
        QCOMPARE(v.opened.size(), std::size_t(1));

        v.window->close();
        QCOMPARE(v.restored, 1);
        v.window->ShowFromMenu();
        QCOMPARE(v.Dates().size(), 3);
        QCOMPARE(v.opened.back(), v.File(3));
        QCOMPARE(Colour(v.Dates()[1]), kBlue);
    }
};

}  // namespace quellix::test

QTEST_MAIN(quellix::test::LogViewerWindowTest)
#include "log_viewer_window_test.moc"
