#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "config/ini_file.h"
#include "dialog_test_support.h"
#include "dialogs/folder_chooser_view.h"
#include "logview/log_folder_dialog.h"
#include "logview/log_retention_dialog.h"
#include "mainwindow/message_box.h"
#include "support/temp_dir.h"

namespace quellix::test {

class LogSettingsDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { MessageBoxes::Script({}); }
    void cleanup() { MessageBoxes::StopScripting(); }

    // Refusals leave the file alone; the arrows stop at their limits; OK writes both keys.
    void RetentionStepsRefusalsOkAndCancel() {
        TempDir dir;
        IniFile ini(dir.File("Quellix.ini"));
        Settings settings;
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.DelaiLogs = 3;
        LogRetentionDialog dialog(settings, ini);
        dialog.show();
        QCOMPARE(Text(dialog, "Text1"), QString("3"));
        auto* limit = Child<QLabel>(dialog, "Label1");
        QVERIFY(!limit->isVisible());

        Arrow(dialog, "UpDown1", "down");
        QCOMPARE(Text(dialog, "Text1"), QString("2"));
        QVERIFY(limit->isVisible());
        QCOMPARE(limit->text(), QString("Minimal value reached"));
        Arrow(dialog, "UpDown1", "down");
        QCOMPARE(Text(dialog, "Text1"), QString("2"));

        for (const char* refused : {"1", "367", "abc"}) {
            Child<QLineEdit>(dialog, "Text1")->setText(refused);
            QTest::mouseClick(Child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
            QVERIFY(dialog.isVisible());
            QCOMPARE(MessageBoxes::Asked().back().text, std::string("Invalid value: ") + refused);
        }
        QVERIFY(!dir.Exists("Quellix.ini"));

        Child<QLineEdit>(dialog, "Text1")->setText("365");
        Arrow(dialog, "UpDown1", "up");
        QCOMPARE(Text(dialog, "Text1"), QString("366"));
        QCOMPARE(limit->text(), QString("Maximal value reached"));
        Click(dialog, "chkPurgeLogs");
        QTest::mouseClick(Child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dir.Read("Quellix.ini"), std::string("[Logs]\nPurgeLogs=1\nDelaiLogs=366\n"));

        // Cancel after changes, in French with the Portuguese limit texts of Langue=2.
        settings.Langue = 2;
        const std::string before = dir.Read("Quellix.ini");
        QString shownLimit;
        QTimer::singleShot(0, [&] {
            QWidget* open = QApplication::activeModalWidget();
            QVERIFY(open != nullptr);
            Click(*open, "chkPurgeLogs");
            Arrow(*open, "UpDown1", "up");
            shownLimit = Child<QLabel>(*open, "Label1")->text();
            QCOMPARE(Child<QCheckBox>(*open, "chkPurgeLogs")->text(),
                     QString("Effacer automatiquement les journaux après..."));
            Click(*open, "cmdAnnuler");
        });
        QVERIFY(!LogRetentionDialog::Open(nullptr, settings, ini));
        QCOMPARE(shownLimit, QString("Valor máximo atingido"));
        QCOMPARE(dir.Read("Quellix.ini"), before);
        QVERIFY(settings.PurgeLogs);
    }

    // With the switch off the folder controls are greyed, and OK still stores the folder.
    void FolderGreyedWithTheSwitchOffAndStillStored() {
        TempDir dir;
        IniFile ini(dir.File("Quellix.ini"));
        const std::string logs = dir.Write("logs/.keep", "");
        Settings settings;
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.Logs = true;
        settings.PathLogs = dir.File("logs");
        LogFolderDialog dialog(settings, ini);
        dialog.show();
        QCOMPARE(Child<QLabel>(dialog, "lblDossier")->text(),
                 QString::fromStdString(dir.File("logs") + "/"));
        QVERIFY(Child<QWidget>(dialog, "Chemins")->isEnabled());

        Click(dialog, "chkLogs");
        for (const char* control : {"lblTitre", "Chemins", "Lecteurs", "lblDossier"}) {
            QVERIFY2(!Child<QWidget>(dialog, control)->isEnabled(), control);
        }
        QTest::mouseClick(Child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dir.Read("Quellix.ini"), "[Logs]\nLogs=0\nPathLogs=" + dir.File("logs") + "\n");
        QVERIFY(!settings.Logs);

        // Cancel after switching back on changes nothing.
        const std::string before = dir.Read("Quellix.ini");
        QTimer::singleShot(0, [] {
            QWidget* open = QApplication::activeModalWidget();
            QVERIFY(open != nullptr);
            Click(*open, "chkLogs");
            Click(*open, "cmdAnnuler");
        });
        QVERIFY(!LogFolderDialog::Open(nullptr, settings, ini));
        QCOMPARE(dir.Read("Quellix.ini"), before);
        QVERIFY(!settings.Logs);
    }
};

}  // namespace quellix::test

QTEST_MAIN(quellix::test::LogSettingsDialogsTest)
#include "log_settings_dialogs_test.moc"
