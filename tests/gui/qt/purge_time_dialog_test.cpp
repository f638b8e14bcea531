#include "gui/qt/dialogs/purge_time_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include "core/config/days_display.h"
#include "core/config/ini_file.h"
#include "dialog_test_support.h"
#include "gui/qt/common/message_box.h"
#include "support/temp_dir.h"

namespace quellix::test {

class PurgeTimeDialogTest : public QObject {
    Q_OBJECT

  private slots:
    // Each refusal keeps the dialog open and the file as it was; OK writes both keys; Cancel
    // after changes writes nothing.
    void RefusalsOkAndCancel() {
        TempDir dir;
        const std::string before = "[Purge]\nHeure=03:30\nJours=17\nTemporisation=30\n";
        IniFile ini(dir.Write("Quellix.ini", before));
        Settings settings;
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.Heure = "03:30";
        settings.Jours = "17";
        MessageBoxes::Script({});
        const auto stopScripting = qScopeGuard([] { MessageBoxes::StopScripting(); });
        const auto asked = [] { return MessageBoxes::Asked().back().text; };

        PurgeTimeDialog dialog(settings, ini);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QString("Purge at..."));
        QCOMPARE(Child<QCheckBox>(dialog, "chkJours4")->text(), QString("Wednesday"));
        QCOMPARE(Text(dialog, "txtHeures") + Text(dialog, "txtMinutes"), QString("0330"));
        for (int day = 1; day <= 7; ++day) {
            const auto* box = Child<QCheckBox>(dialog, QStringLiteral("chkJours%1").arg(day));
            QCOMPARE(box->isChecked(), day == 1 || day == 7);
        }
        auto* error = Child<QLabel>(dialog, "lblErreur");
        QVERIFY(error->isHidden());

        // "2" becomes "02" at once, so the next digit makes 24.
        auto* hours = Child<QLineEdit>(dialog, "txtHeures");
        hours->selectAll();
        QTest::keyClicks(hours, "24");
        QCOMPARE(hours->text(), QString("024"));
        QVERIFY(error->isVisible());
        QCOMPARE(error->text(), QString("Invalid value (Hours)"));
        Click(dialog, "cmdOK");
        QCOMPARE(asked(), std::string("Please modify the values\r\n"
                                      "(Hour must between 00:00 and 23:59)"));
        QCOMPARE(MessageBoxes::Asked().back().icon, MessageIcon::Exclamation);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dir.Read("Quellix.ini"), before);

        // A valid minutes change hides the shared label, but the hours are still wrong.
        Arrow(dialog, "UpDownMinutes", "up");
        QCOMPARE(Text(dialog, "txtMinutes"), QString("31"));
        QVERIFY(error->isHidden());
        Click(dialog, "cmdOK");
        QCOMPARE(MessageBoxes::Asked().size(), std::size_t{2});
        QCOMPARE(dir.Read("Quellix.ini"), before);

        Arrow(dialog, "UpDownHeures", "up");
        QCOMPARE(hours->text(), QString("024"));
        Arrow(dialog, "UpDownHeures", "down");
        Arrow(dialog, "UpDownHeures", "up");
        QCOMPARE(hours->text(), QString("23"));
        QTest::keyClick(Child<QLineEdit>(dialog, "txtMinutes"), Qt::Key_Down);
        QCOMPARE(Text(dialog, "txtMinutes"), QString("30"));

        Click(dialog, "chkJours1");
        Click(dialog, "chkJours7");
        Click(dialog, "cmdOK");
        QCOMPARE(asked(), std::string("Select at least one day"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dir.Read("Quellix.ini"), before);

        // Enter presses OK.
        Click(dialog, "chkJours2");
        QTest::keyClick(hours, Qt::Key_Return);
        QCOMPARE(MessageBoxes::Asked().size(), std::size_t{3});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const std::string after = "[Purge]\nHeure=23:30\nJours=2\nTemporisation=30\n";
        QCOMPARE(dir.Read("Quellix.ini"), after);
        QCOMPARE(settings.PurgeMinute, 23 * 60 + 30);
        QCOMPARE(settings.DaysDisplayEn, std::string(" [Mon] "));

        // Through the entry point, in French.
        settings.Langue = 1;
        QTimer::singleShot(0, [] {
            QWidget* shown = QApplication::activeModalWidget();
            const auto close = Closer(shown);
            QVERIFY(shown != nullptr);
            QCOMPARE(Child<QAbstractButton>(*shown, "cmdAnnuler")->text(), QString("&Annuler"));
            Child<QLineEdit>(*shown, "txtMinutes")->setText("x");
            QCOMPARE(Child<QLabel>(*shown, "lblErreur")->text(),
                     QString("Valeur incorrecte pour les Minutes"));
            // Pasted rather than typed: typing would make "07" before the point.
            Child<QLineEdit>(*shown, "txtHeures")->setText("7.6");
            QCOMPARE(Text(*shown, "txtHeures"), QString("08"));
            Click(*shown, "chkJours3");
            Click(*shown, "cmdAnnuler");
        });
        QVERIFY(!PurgeTimeDialog::Open(nullptr, settings, ini));
        QCOMPARE(dir.Read("Quellix.ini"), after);
        QCOMPARE(settings.Heure + settings.Jours, std::string("23:302"));
    }
};

}  // namespace quellix::test

QTEST_MAIN(quellix::test::PurgeTimeDialogTest)
#include "purge_time_dialog_test.moc"
