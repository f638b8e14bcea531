#include "gui/qt/dialogs/dialog_button_row_view.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_test_support.h"

namespace quellix::test {

class DialogButtonRowViewTest : public QObject {
    Q_OBJECT

  private slots:
    void KeysAndClicks_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("okRuns");
        QTest::addColumn<bool>("rejected");
        QTest::newRow("Enter in a box") << "previous" << int(Qt::Key_Return) << "" << 1 << false;
        QTest::newRow("Enter on Cancel") << "cmdAnnuler" << int(Qt::Key_Return) << "" << 1 << false;
        QTest::newRow("Escape") << "previous" << int(Qt::Key_Escape) << "" << 0 << true;
        QTest::newRow("click OK") << "" << 0 << "cmdOK" << 1 << false;
        QTest::newRow("click Cancel") << "" << 0 << "cmdAnnuler" << 0 << true;
    }

    // OK only runs its handler, which here keeps the dialog open; Cancel and Escape close it.
    void KeysAndClicks() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(QString, click);
        QFETCH(int, okRuns);
        QFETCH(bool, rejected);
        QDialog dialog;
        auto* previous = new QLineEdit(&dialog);
        previous->setObjectName("previous");
        // Made after previous, so only the row's own tab order puts OK straight after it.
        auto* other = new QLineEdit(&dialog);
        int runs = 0;
        const DialogButtonRow row = NewDialogButtonRow(dialog, previous, [&runs] { ++runs; });
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(previous);
        layout->addWidget(other);
        layout->addLayout(row.layout);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        QCOMPARE(previous->nextInFocusChain(), row.ok);
        QCOMPARE(row.ok->nextInFocusChain(), row.cancel);
        QCOMPARE(row.ok->objectName() + row.cancel->objectName(), QString("cmdOKcmdAnnuler"));
        if (!focus.isEmpty()) {
            Child<QWidget>(dialog, focus)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        } else {
            Click(dialog, click);
        }
        QCOMPARE(runs, okRuns);
        QCOMPARE(dialog.isVisible(), !rejected);
    }
};

}  // namespace quellix::test

QTEST_MAIN(quellix::test::DialogButtonRowViewTest)
#include "dialog_button_row_view_test.moc"
