#include "gui/qt/service/service_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <memory>

#include "core/config/ini_file.h"
#include "core/service/temp_systemd_host.h"
#include "dialog_test_support.h"
#include "gui/qt/common/message_box.h"
#include "platform/process_info.h"
#include "support/temp_dir.h"

namespace quellix::test {
namespace {

const std::string kIni = "[Purge]\nDebug=0\n";

QString Caption(const QWidget& dialog, const QString& name) {
    if (auto* label = dialog.findChild<QLabel*>(name)) {
        return label->text();
    }
    return Child<QAbstractButton>(dialog, name)->text();
}

}  // namespace

class ServiceDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        ini.reset();
        service.reset();
        dir = std::make_unique<TempDir>();
        ini = std::make_unique<IniFile>(dir->Write("Quellix.ini", kIni));
        service = std::make_unique<TempSystemdHost>(*dir);
        settings = Settings{};
        settings.ProgramTitle = "Quellix 1.0.0";
        MessageBoxes::Script({});
    }
    void cleanup() { MessageBoxes::StopScripting(); }

    void LoadShowsTheHostAndSettingsInBothLanguages() {
        service->SetStartType(ServiceStartType::Disabled);
        service->SetInteractWithDesktop(true);
        settings.Debug = true;
        for (const std::int16_t langue : {0, 1}) {
            settings.Langue = langue;
            ServiceDialog dialog(settings, *ini, *service, ServiceConsoleFor(true));
            dialog.show();
            QCOMPARE(dialog.objectName(), QString("frmAdminService"));
            QCOMPARE(dialog.windowTitle(), QString("Quellix Service [NT]"));
            QCOMPARE(Caption(dialog, "lblService"), langue == 0
                                                        ? QString("Quellix Service not installed")
                                                        : QString("Quellix Service non installé"));
            // Lines break as lines, not as a glyph.
            QVERIFY(Caption(dialog, "chkDebug").contains("]\n"));
            QVERIFY(Child<QRadioButton>(dialog, "optType2")->isChecked());
            QVERIFY(Child<QCheckBox>(dialog, "chkDebug")->isChecked());
            QVERIFY(Child<QCheckBox>(dialog, "chkInteract")->isChecked());
            auto* warning = Child<QLabel>(dialog, "lblInteract");
            QVERIFY(warning->isVisible());
            Click(dialog, "chkInteract");
            QVERIFY(warning->isHidden());
            Click(dialog, "chkInteract");
            QVERIFY(warning->isVisible());
            // Enter must not install.
            QVERIFY(Child<QPushButton>(dialog, "cmdAnnuler")->isDefault());
            QVERIFY(!Child<QPushButton>(dialog, "cmdInstall")->autoDefault());
            Shot(dialog, langue == 0 ? "service-dialog-en.png" : "service-dialog-fr.png");
        }
        QCOMPARE(dir->Read("Quellix.ini"), kIni);
    }

    void InstallManualWithDebugShowsTheMessageAndEnds() {
        ServiceDialog dialog(settings, *ini, *service, ServiceConsoleFor(true));
        dialog.show();
        Click(dialog, "optType1");
        Click(dialog, "chkDebug");
        Click(dialog, "cmdInstall");

        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Outcome(), ServiceDialogOutcome::Installed);
        const std::string line =
            "Quellix Service installed. Debug=True\r\n(checking purge starts automatically when "
            "Quellix service starts)";
        QCOMPARE(MessageBoxes::Asked().size(), size_t(1));
        QCOMPARE(MessageBoxes::Asked().back().text,
                 line +
                     "\r\n\r\nConfiguration and start, see\r\n'systemctl --user start "
                     "quellix'");
        QCOMPARE(MessageBoxes::Asked().back().title, std::string("Quellix"));
        QCOMPARE(dir->Read("Quellix.ini"), std::string("[Purge]\nDebug=1\n"));
        QVERIFY(settings.Debug);
        service->Reopen();
        QVERIFY(service->IsInstalled());
        QCOMPARE(service->StartType(), ServiceStartType::Manual);
        QVERIFY(!service->InteractWithDesktop());
        QCOMPARE(service->events.size(), size_t(1));
        QCOMPARE(service->events.front().first, line);
    }

    void RemoveKeepsTheProgramRunning() {
        QVERIFY(service->Install(false));
        settings.Langue = 1;
        bool checked = false;
        QTimer::singleShot(0, [this, &checked] {
            QWidget* shown = QApplication::activeModalWidget();
            const auto close = Closer(shown);
            QVERIFY(shown != nullptr);
            Click(*shown, "cmdRemove");
            QVERIFY(shown->isVisible());
            QCOMPARE(Caption(*shown, "lblService"), QString("Quellix Service: supprimé"));
            QVERIFY(!dir->Exists("systemd/user/quellix.service"));
            // A second Remove finds nothing to remove.
            Click(*shown, "cmdRemove");
            QCOMPARE(Caption(*shown, "lblService"), QString("Quellix Service non installé"));
            Click(*shown, "cmdAnnuler");
            checked = true;
        });
        QCOMPARE(ServiceDialog::Open(nullptr, settings, *ini, *service),
                 ServiceDialogOutcome::Removed);
        QVERIFY(checked);
        QVERIFY(MessageBoxes::Asked().empty());
        QCOMPARE(service->events.size(), size_t(1));
        QCOMPARE(service->events.front().first, std::string("Quellix Service: supprimé"));
        QCOMPARE(dir->Read("Quellix.ini"), kIni);
    }

  private:
    void Shot(QWidget& dialog, const char* name) {
        if (const auto folder = platform::EnvironmentVariable("QUELLIX_SCREENSHOT_DIR")) {
            QDir().mkpath(QString::fromStdString(*folder));
            QVERIFY(dialog.grab().save(QString::fromStdString(*folder) + "/" + name));
        }
    }

    std::unique_ptr<TempDir> dir;
    std::unique_ptr<IniFile> ini;
    std::unique_ptr<TempSystemdHost> service;
    Settings settings;
};

}  // namespace quellix::test

QTEST_MAIN(quellix::test::ServiceDialogTest)
#include "service_dialog_test.moc"
