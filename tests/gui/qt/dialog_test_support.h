#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QScopeGuard>
#include <QStyleOptionButton>
#include <QToolButton>
#include <QtTest>

namespace quellix::test {

template <typename Widget>
Widget* Child(const QWidget& dialog, const QString& name) {
    auto* widget = dialog.findChild<Widget*>(name);
    if (widget == nullptr) {
        qFatal("no control %s", qPrintable(name));
    }
    return widget;
}

// A check box stretched by its layout only takes clicks on its mark and its text.
inline void Click(const QWidget& dialog, const QString& name) {
    auto* button = Child<QAbstractButton>(dialog, name);
    QPoint where = button->rect().center();
    if (auto* check = qobject_cast<QCheckBox*>(button)) {
        QStyleOptionButton option;
        option.initFrom(check);
        where =
            check->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, check).center();
    }
    QTest::mouseClick(button, Qt::LeftButton, {}, where);
}

// which is "up" or "down".
inline void Arrow(const QWidget& dialog, const QString& arrows, const QString& which) {
    QTest::mouseClick(Child<QToolButton>(*Child<QWidget>(dialog, arrows), which), Qt::LeftButton);
}

inline QString Text(const QWidget& dialog, const QString& box) {
    return Child<QLineEdit>(dialog, box)->text();
}

// Ends a modal dialog that a failed check left open, so that its exec() returns.
inline auto Closer(QWidget* dialog) {
    return qScopeGuard([dialog] {
        if (auto* shown = qobject_cast<QDialog*>(dialog); shown != nullptr && shown->isVisible()) {
            shown->reject();
        }
    });
}

}  // namespace quellix::test
