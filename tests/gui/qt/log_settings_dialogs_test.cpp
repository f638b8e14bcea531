#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "core/config/ini_file.h"
#include "dialog_test_support.h"
#include "gui/qt/common/message_box.h"
#include "gui/qt/dialogs/folder_chooser_view.h"
#include "gui/qt/logview/log_folder_dialog.h"
#include "gui/qt/logview/log_retention_dialog.h"
#include "platform/process_info.h"
#include "support/temp_dir.h"

namespace quellix::test {

class LogSettingsDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { MessageBoxes::Script({}); }
    void cleanup() { MessageBoxes::StopScripting(); }

    // The arrows, a refusal, OK writing both keys; then Cancel through Open.
    void RetentionStepsRefusalOkAndCancel() {
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

        Child<QLineEdit>(dialog, "Text1")->setText("367");
        QTest::mouseClick(Child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(MessageBoxes::Asked().back().text, std::string("Invalid value: 367"));
        QVERIFY(!dir.Exists("Quellix.ini"));

        // 2 is accepted as typed, with the switch ticked.
        Child<QLineEdit>(dialog, "Text1")->setText("2");
        Click(dialog, "chkPurgeLogs");
        QTest::mouseClick(Child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dir.Read("Quellix.ini"), std::string("[Logs]\nPurgeLogs=1\nDelaiLogs=2\n"));

        // Cancel after changes, in French with the Portuguese limit texts of Langue=2.
        settings.Langue = 2;
        const std::string before = dir.Read("Quellix.ini");
        QString shownLimit;
        QTimer::singleShot(0, [&] {
            QWidget* open = QApplication::activeModalWidget();
            QVERIFY(open != nullptr);
            Click(*open, "chkPurgeLogs");
            Arrow(*open, "UpDown1", "down");
            shownLimit = Child<QLabel>(*open, "Label1")->text();
            QCOMPARE(Child<QCheckBox>(*open, "chkPurgeLogs")->text(),
                     QString("Effacer automatiquement les journaux après..."));
            Click(*open, "cmdAnnuler");
        });
        QVERIFY(!LogRetentionDialog::Open(nullptr, settings, ini));
        QCOMPARE(shownLimit, QString("Valor mínimo atingido"));
        QCOMPARE(dir.Read("Quellix.ini"), before);
        QVERIFY(settings.PurgeLogs);
    }

    // With the switch off the folder controls are greyed, and OK still stores the folder.
    void FolderGreyedWithTheSwitchOffAndStillStored() {
        TempDir dir;
        IniFile ini(dir.File("Quellix.ini"));
        dir.Write("logs/.keep", "");
        const std::string logs = dir.File("logs");
        Settings settings;
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.Logs = true;
        settings.PathLogs = logs;
        LogFolderDialog dialog(settings, ini);
        dialog.show();
        QCOMPARE(Child<QLabel>(dialog, "lblDossier")->text(), QString::fromStdString(logs));
        QVERIFY(Child<QWidget>(dialog, "Chemins")->isEnabled());

        Click(dialog, "chkLogs");
        for (const char* control : {"lblTitre", "Chemins", "Lecteurs", "lblDossier"}) {
            QVERIFY2(!Child<QWidget>(dialog, control)->isEnabled(), control);
        }
        QTest::mouseClick(Child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dir.Read("Quellix.ini"), "[Logs]\nLogs=0\nPathLogs=" + logs + "\n");
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

    // The pictures in each language; the texts themselves are the presenters' tests'.
    void CaptionsFollowTheLanguage() {
        TempDir dir;
        IniFile ini(dir.File("Quellix.ini"));
        dir.Write("logs/.keep", "");
        for (const std::int16_t langue : {0, 1, 2}) {
            Settings settings;
            settings.ProgramTitle = "Quellix 1.0.0";
            settings.Langue = langue;
            settings.Logs = langue != 1;
            settings.PathLogs = dir.File("logs");
            settings.DelaiLogs = 3;
            LogFolderDialog folder(settings, ini);
            folder.show();
            QCOMPARE(Child<QPushButton>(folder, "cmdAnnuler")->text(),
                     langue == 0 ? QString("&Cancel") : QString("&Annuler"));
            Shot(folder, "frmPathLogs", langue);

            LogRetentionDialog retention(settings, ini);
            retention.show();
            Arrow(retention, "UpDown1", "down");
            QVERIFY(Child<QLabel>(retention, "Label1")->isVisible());
            Shot(retention, "frmPurgeLogs", langue);
        }
        QVERIFY(!dir.Exists("Quellix.ini"));
    }

  private:
    static void Shot(QWidget& dialog, const char* name, int langue) {
        if (const auto folder = platform::EnvironmentVariable("QUELLIX_SCREENSHOT_DIR")) {
            QDir().mkpath(QString::fromStdString(*folder));
            QVERIFY(dialog.grab().save(QStringLiteral("%1/%2-%3.png")
                                           .arg(QString::fromStdString(*folder), name)
                                           .arg(langue)));
        }
    }
};

}  // namespace quellix::test

QTEST_MAIN(quellix::test::LogSettingsDialogsTest)
#include "log_settings_dialogs_test.moc"
