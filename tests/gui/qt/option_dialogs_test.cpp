#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <functional>
#include <memory>

#include "core/config/ini_file.h"
#include "dialog_test_support.h"
#include "gui/qt/common/message_box.h"
#include "gui/qt/dialogs/all_obsolete_dialog.h"
#include "gui/qt/dialogs/automatic_start_dialog.h"
#include "gui/qt/dialogs/tempo_dialog.h"
#include "support/temp_dir.h"

namespace quellix::test {
namespace {

const std::string kIni =
    "[Purge]\nTemporisation=30\nDemarrageAutomatiqueLancement=0\nTousFichiersObsoletes=0\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

// Runs a dialog's entry point while act works on the dialog it shows.
bool Drive(const std::function<bool()>& open, std::function<void(QWidget&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* shown = QApplication::activeModalWidget();
        const auto close = Closer(shown);
        QVERIFY(shown != nullptr);
        act(*shown);
    });
    return open();
}

}  // namespace

class OptionDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        ini.reset();
        dir = std::make_unique<TempDir>();
        ini = std::make_unique<IniFile>(dir->Write("Quellix.ini", kIni));
        settings = Settings{};
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.Temporisation = 30;
        MessageBoxes::Script({});
    }
    void cleanup() { MessageBoxes::StopScripting(); }

    // The real widgets through one path: a refusal, the arrows and keys, Enter for OK; then the
    // entry point, cancelled.
    void TempoRefusalArrowsOkAndCancel() {
        SchedulerState scheduler;
        scheduler.UpdateCountdown = 12;
        TempoDialog dialog(settings, *ini, scheduler);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QString("Quellix 1.0.0"));
        auto* seconds = Child<QLineEdit>(dialog, "Text1");
        auto* hint = Child<QLabel>(dialog, "Label1");
        QCOMPARE(seconds->text(), QString("30"));
        QVERIFY(seconds->font().bold());
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->text(), QString("(only when main window is displayed!)"));
        QCOMPARE(hint->palette().color(QPalette::WindowText), QColor(Qt::red));

        seconds->selectAll();
        QTest::keyClicks(seconds, "abc");
        Click(dialog, "cmdOK");
        QVERIFY(dialog.isVisible());
        QCOMPARE(MessageBoxes::Asked().back().text, std::string("Invalid value: abc"));
        QCOMPARE(MessageBoxes::Asked().back().icon, MessageIcon::Critical);
        QCOMPARE(dir->Read("Quellix.ini"), kIni);
        Arrow(dialog, "UpDown1", "up");
        QCOMPARE(seconds->text(), QString("1"));
        QVERIFY(hint->isHidden());
        seconds->setText("2");
        QTest::keyClick(seconds, Qt::Key_Down);
        QCOMPARE(seconds->text(), QString("1"));
        QCOMPARE(hint->text(), QString("Minimal temporisation reached"));
        QVERIFY(hint->isVisible());
        QCOMPARE(scheduler.UpdateCountdown, std::int16_t{12});

        seconds->setText("59.5");
        QTest::keyClick(seconds, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(settings.Temporisation, std::int16_t{60});
        QCOMPARE(scheduler.UpdateCountdown, std::int16_t{60});
        const std::string after = Replaced(kIni, "=30", "=60");
        QCOMPARE(dir->Read("Quellix.ini"), after);

        settings.Langue = 1;
        QVERIFY(!Drive([&] { return TempoDialog::Open(nullptr, settings, *ini, scheduler); },
                       [](QWidget& shown) {
                           QCOMPARE(Child<QLabel>(shown, "lblChaque")->text(), QString("Chaque"));
                           Arrow(shown, "UpDown1", "down");
                           QCOMPARE(Text(shown, "Text1"), QString("59"));
                           Click(shown, "cmdAnnuler");
                       }));
        QCOMPARE(dir->Read("Quellix.ini"), after);
        QCOMPARE(settings.Temporisation, std::int16_t{60});
    }

    // Both check-box dialogs through their entry points: Cancel after ticking changes nothing,
    // OK after ticking stores and writes "1".
    void CheckBoxOptions_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("key");
        QTest::newRow("automatic start") << "chkDemarrageAutomatique"
                                         << "DemarrageAutomatiqueLancement";
        QTest::newRow("all obsolete") << "chkTousFichiersObsoletes"
                                      << "TousFichiersObsoletes";
    }
    void CheckBoxOptions() {
        QFETCH(QString, box);
        QFETCH(QString, key);
        const bool automatic = key == "DemarrageAutomatiqueLancement";
        const bool& setting =
            automatic ? settings.DemarrageAutomatiqueLancement : settings.TousFichiersObsoletes;
        const auto open = [&] {
            return automatic ? AutomaticStartDialog::Open(nullptr, settings, *ini)
                             : AllObsoleteDialog::Open(nullptr, settings, *ini);
        };
        const auto tickThen = [&](const char* button) {
            return [&box, button](QWidget& shown) {
                QVERIFY(!Child<QCheckBox>(shown, box)->isChecked());
                Click(shown, box);
                Click(shown, button);
            };
        };

        QVERIFY(!Drive(open, tickThen("cmdAnnuler")));
        QCOMPARE(dir->Read("Quellix.ini"), kIni);
        QVERIFY(!setting);
        QVERIFY(Drive(open, tickThen("cmdOK")));
        QVERIFY(setting);
        QCOMPARE(dir->Read("Quellix.ini"),
                 Replaced(kIni, key.toStdString() + "=0", key.toStdString() + "=1"));
        QVERIFY(MessageBoxes::Asked().empty());
    }

  private:
    std::unique_ptr<TempDir> dir;
    std::unique_ptr<IniFile> ini;
    Settings settings;
};

}  // namespace quellix::test

QTEST_MAIN(quellix::test::OptionDialogsTest)
#include "option_dialogs_test.moc"
