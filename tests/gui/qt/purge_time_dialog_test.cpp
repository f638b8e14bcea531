#include "gui/qt/dialogs/purge_time_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include "core/config/ini_file.h"
#include "dialog_test_support.h"
#include "gui/qt/common/message_box.h"
#include "support/temp_dir.h"

namespace quellix::test {

class PurgeTimeDialogTest : public QObject {
    Q_OBJECT

  private slots:
    // The real widgets through one path: typing, the arrows, a refusal, Enter for OK; then the
    // entry point, cancelled.
    void TypeRefuseOkAndCancel() {
        TempDir dir;
        const std::string before = "[Purge]\nHeure=03:30\nJours=17\nTemporisation=30\n";
        IniFile ini(dir.Write("Quellix.ini", before));
        Settings settings;
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.Heure = "03:30";
        settings.Jours = "17";
        MessageBoxes::Script({});
        const auto stopScripting = qScopeGuard([] { MessageBoxes::StopScripting(); });

        PurgeTimeDialog dialog(settings, ini);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QString("Purge at..."));
        QCOMPARE(Child<QCheckBox>(dialog, "chkJours4")->text(), QString("Wednesday"));
        QVERIFY(Child<QCheckBox>(dialog, "chkJours7")->isChecked());
        QCOMPARE(Text(dialog, "txtHeures") + Text(dialog, "txtMinutes"), QString("0330"));
        auto* error = Child<QLabel>(dialog, "lblErreur");
        QVERIFY(error->isHidden());

        // "2" becomes "02" at once, so the next digit makes 024.
        auto* hours = Child<QLineEdit>(dialog, "txtHeures");
        hours->selectAll();
        QTest::keyClicks(hours, "24");
        QCOMPARE(hours->text(), QString("024"));
        QVERIFY(error->isVisible());
        QCOMPARE(error->text(), QString("Invalid value (Hours)"));
        QCOMPARE(error->palette().color(QPalette::WindowText), QColor(Qt::red));
        Click(dialog, "cmdOK");
        QCOMPARE(MessageBoxes::Asked().back().text,
                 std::string("Please modify the values\r\n(Hour must between 00:00 and 23:59)"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dir.Read("Quellix.ini"), before);

        Arrow(dialog, "UpDownHeures", "down");
        QCOMPARE(hours->text(), QString("23"));
        QVERIFY(error->isHidden());
        Arrow(dialog, "UpDownMinutes", "up");
        QTest::keyClick(Child<QLineEdit>(dialog, "txtMinutes"), Qt::Key_Up);
        QCOMPARE(Text(dialog, "txtMinutes"), QString("32"));

        Click(dialog, "chkJours1");
        Click(dialog, "chkJours7");
        Click(dialog, "chkJours2");
        QTest::keyClick(hours, Qt::Key_Return);
        QCOMPARE(MessageBoxes::Asked().size(), std::size_t{1});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const std::string after = "[Purge]\nHeure=23:32\nJours=2\nTemporisation=30\n";
        QCOMPARE(dir.Read("Quellix.ini"), after);
        QCOMPARE(settings.PurgeMinute, 23 * 60 + 32);

        // Through the entry point, in French; Escape after changes keeps everything.
        settings.Langue = 1;
        QTimer::singleShot(0, [] {
            QWidget* shown = QApplication::activeModalWidget();
            const auto close = Closer(shown);
            QVERIFY(shown != nullptr);
            QCOMPARE(Child<QAbstractButton>(*shown, "cmdAnnuler")->text(), QString("&Annuler"));
            // Pasted rather than typed: typing would make "07" before the point.
            Child<QLineEdit>(*shown, "txtHeures")->setText("7.6");
            QCOMPARE(Text(*shown, "txtHeures"), QString("08"));
            Click(*shown, "chkJours3");
            QTest::keyClick(shown, Qt::Key_Escape);
        });
        QVERIFY(!PurgeTimeDialog::Open(nullptr, settings, ini));
        QCOMPARE(dir.Read("Quellix.ini"), after);
        QCOMPARE(settings.Heure + settings.Jours, std::string("23:322"));
    }
};

}  // namespace quellix::test

QTEST_MAIN(quellix::test::PurgeTimeDialogTest)
#include "purge_time_dialog_test.moc"
