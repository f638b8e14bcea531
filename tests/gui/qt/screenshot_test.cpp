#include <QDir>
#include <QImage>
#include <QLabel>
#include <QtTest>

#include "gui/qt/mainwindow/main_window.h"
#include "gui/qt/mainwindow/purge_preview_window.h"
#include "gui_fixture.h"
#include "platform/process_info.h"

namespace quellix::test {

// Renders the main window with a sample list in both languages. QUELLIX_SCREENSHOT_DIR names
// where the pictures go (scripts/screenshots.sh gives the README's folder); without it they go
// to a temporary folder and are only checked.
class ScreenshotTest : public QObject {
    Q_OBJECT

  private slots:
    void MainWindowInBothLanguages() {
        DesktopFixture f(
            "[Purge]\nHeure=03:30\nJours=23456\nNbDernierePurge=1284\n"
            "NbDernierePurgeDossiers=17\nNbLocked=2\n"
            "DateDernierePurge=07 December 2026 - 03:30:12\n[Paths]\nNbPaths=4\n" +
            Entry(1, "Downloads", "720", "oui [D]", "Corbeille") +
            Entry(2, "cache", "48", "oui [D] [RO]", "Effacer") +
            Entry(3, "scans", "168", "non", "") + "AutreDossier3=@/archive/\n" +
            Entry(4, "old-share", "24", "non", "Effacer"));
        for (int i = 0; i < 12; ++i) {
            f.tree.File("Downloads/file" + std::to_string(i), 1'000'000'000);
        }
        for (int i = 0; i < 40; ++i) {
            f.tree.File("cache/sub/entry" + std::to_string(i), 1'000'000'000);
        }
        f.tree.File("scans/page1.pdf", 1'000'000'000);
        f.tree.Folder("archive");
        QCOMPARE(f.Start(), StartupOutcome::Running);
        MainWindow& window = f.Window();
        // A second count after new files came shows the rise picture.
        f.tree.File("scans/page2.pdf", 1'000'000'000);
        f.program->Front().RunCountPass();
        window.showNormal();
        window.resize(980, 300);
        QTest::qWait(50);

        const QString folder = Folder();
        const QImage english = window.grab().toImage();
        QVERIFY(english.save(folder + "/main-window-en.png"));
        window.Action("mnuFrancais")->trigger();
        QTest::qWait(50);
        const QImage french = window.grab().toImage();
        QVERIFY(french.save(folder + "/main-window-fr.png"));
        QVERIFY(!english.isNull() && english.size() == french.size());
        QVERIFY(english != french);
    }

    // An empty list at the narrowest the window gets: the hint stands clear of the purge time
    // in both languages.
    void EmptyListAtItsNarrowest() {
        DesktopFixture f("[Purge]\nHeure=03:30\nJours=23456\n[Paths]\nNbPaths=0\n");
        QCOMPARE(f.Start(), StartupOutcome::Running);
        MainWindow& window = f.Window();
        window.showNormal();
        QImage pictures[2];
        for (const char* language : {"en", "fr"}) {
            if (language == std::string_view("fr")) {
                window.Action("mnuFrancais")->trigger();
            }
            // Once shown and active: the hint shows from then on.
            QTest::qWait(50);
            window.resize(100, 200);
            QTest::qWait(50);
            const auto* hint = window.findChild<QLabel*>("lblBulle");
            const auto* purgeTime = window.findChild<QLabel*>("lblHeurePurge");
            QVERIFY(hint->isVisible() && purgeTime->isVisible());
            QVERIFY(hint->x() > 0);
            QVERIFY(hint->geometry().right() < purgeTime->x());
            QVERIFY(purgeTime->geometry().right() < window.centralWidget()->width());
            QVERIFY(hint->width() >= hint->sizeHint().width());
            pictures[language[0] == 'f'] = window.grab().toImage();
            QVERIFY(pictures[language[0] == 'f'].save(Folder() + "/main-window-empty-" + language +
                                                      ".png"));
        }
        QVERIFY(pictures[0] != pictures[1]);
    }

    // The preview of a purge of a sample list, in both languages.
    void PurgePreviewInBothLanguages() {
        DesktopFixture f(
            "[Paths]\nNbPaths=3\n" + Entry(1, "Downloads", "720", "oui [D]", "Corbeille") +
            Entry(2, "projects/build-cache/intermediate/objects", "48", "oui [D] [RO]", "Effacer") +
            Entry(3, "scans", "168", "non", "") + "AutreDossier3=@/archive/\n");
        f.tree.File("Downloads/installer-2026.iso", 1'000'000'000, std::string(3'500'000, 'x'));
        f.tree.File("Downloads/old/notes.txt", 1'000'000'000, "some notes");
        for (int i = 0; i < 3; ++i) {
            f.tree.File(
                "projects/build-cache/intermediate/objects/module" + std::to_string(i) + ".o",
                1'000'000'000, std::string(1500 * (i + 1), 'o'));
        }
        f.tree.File("scans/page1.pdf", 1'000'000'000, "pdf");
        f.tree.Folder("archive");
        QCOMPARE(f.Start(), StartupOutcome::Running);
        MainWindow& window = f.Window();
        QImage pictures[2];
        for (const char* language : {"en", "fr"}) {
            if (language == std::string_view("fr")) {
                window.Action("mnuFrancais")->trigger();
            }
            window.Action("mnuApercuPurge")->trigger();
            auto* preview = window.findChild<PurgePreviewWindow*>();
            QVERIFY(preview != nullptr && preview->isVisible());
            preview->resize(900, 400);
            QTest::qWait(50);
            pictures[language[0] == 'f'] = preview->grab().toImage();
            QVERIFY(pictures[language[0] == 'f'].save(Folder() + "/purge-preview-" + language +
                                                      ".png"));
        }
        QVERIFY(pictures[0] != pictures[1]);
    }

  private:
    QString Folder() {
        if (const auto given = platform::EnvironmentVariable("QUELLIX_SCREENSHOT_DIR")) {
            QDir().mkpath(QString::fromStdString(*given));
            return QString::fromStdString(*given);
        }
        return QString::fromStdString(scratch_.Path());
    }
    TempDir scratch_;
};

}  // namespace quellix::test

QTEST_MAIN(quellix::test::ScreenshotTest)
#include "screenshot_test.moc"
