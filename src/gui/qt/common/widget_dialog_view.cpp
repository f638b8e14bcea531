#include "gui/qt/common/widget_dialog_view.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include "gui/qt/common/message_box.h"
#include "gui/qt/common/qt_colour.h"
#include "gui/qt/common/qt_text.h"

namespace quellix {

namespace {

// A menu is enabled and shown through the command that opens it.
QAction* CommandOf(QObject* control) {
    if (auto* menu = qobject_cast<QMenu*>(control)) {
        return menu->menuAction();
    }
    return qobject_cast<QAction*>(control);
}

}  // namespace

QObject* WidgetDialogView::Find(std::string_view control) const {
    const QString name = ToQString(control);
    if (name == window_.objectName()) {
        return &window_;
    }
    return window_.findChild<QObject*>(name);
}

void WidgetDialogView::SetText(std::string_view control, std::string_view text) {
    QObject* found = Find(control);
    const QString value = ToQString(text);
    if (found == &window_) {
        window_.setWindowTitle(value);
    } else if (auto* action = qobject_cast<QAction*>(found)) {
        action->setText(value);
    } else if (auto* menu = qobject_cast<QMenu*>(found)) {
        menu->setTitle(value);
    } else if (auto* label = qobject_cast<QLabel*>(found)) {
        label->setText(value);
    } else if (auto* button = qobject_cast<QAbstractButton*>(found)) {
        button->setText(value);
    } else if (auto* edit = qobject_cast<QLineEdit*>(found)) {
        edit->setText(value);
    } else if (auto* frame = qobject_cast<QGroupBox*>(found)) {
        frame->setTitle(value);
    }
}

std::string WidgetDialogView::Text(std::string_view control) const {
    QObject* found = Find(control);
    if (found == &window_) {
        return ToUtf8(window_.windowTitle());
    }
    if (auto* action = qobject_cast<QAction*>(found)) {
        return ToUtf8(action->text());
    }
    if (auto* menu = qobject_cast<QMenu*>(found)) {
        return ToUtf8(menu->title());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(found)) {
        return ToUtf8(edit->text());
    }
    if (auto* label = qobject_cast<QLabel*>(found)) {
        return ToUtf8(label->text());
    }
    if (auto* button = qobject_cast<QAbstractButton*>(found)) {
        return ToUtf8(button->text());
    }
    if (auto* frame = qobject_cast<QGroupBox*>(found)) {
        return ToUtf8(frame->title());
    }
    return {};
}

void WidgetDialogView::SetChecked(std::string_view control, bool checked) {
    QObject* found = Find(control);
    if (auto* action = qobject_cast<QAction*>(found)) {
        action->setChecked(checked);
    } else if (auto* button = qobject_cast<QAbstractButton*>(found)) {
        button->setChecked(checked);
    }
}

bool WidgetDialogView::IsChecked(std::string_view control) const {
    QObject* found = Find(control);
    if (auto* action = qobject_cast<QAction*>(found)) {
        return action->isChecked();
    }
    auto* button = qobject_cast<QAbstractButton*>(found);
    return button != nullptr && button->isChecked();
}

void WidgetDialogView::SetEnabled(std::string_view control, bool enabled) {
    QObject* found = Find(control);
    if (QAction* command = CommandOf(found)) {
        command->setEnabled(enabled);
    } else if (auto* widget = qobject_cast<QWidget*>(found)) {
        widget->setEnabled(enabled);
    }
}

void WidgetDialogView::SetVisible(std::string_view control, bool visible) {
    QObject* found = Find(control);
    if (QAction* command = CommandOf(found)) {
        command->setVisible(visible);
    } else if (auto* widget = qobject_cast<QWidget*>(found)) {
        widget->setVisible(visible);
    }
}

void WidgetDialogView::SetTextColour(std::string_view control, std::optional<Colour> colour) {
    auto* widget = qobject_cast<QWidget*>(Find(control));
    if (widget == nullptr) {
        return;
    }
    QPalette palette = widget->palette();
    const QPalette standard = window_.palette();
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(role, colour ? ToQColor(*colour) : standard.color(role));
    }
    widget->setPalette(palette);
}

void WidgetDialogView::SetFocus(std::string_view control) {
    if (auto* widget = qobject_cast<QWidget*>(Find(control))) {
        widget->setFocus();
    }
}

void WidgetDialogView::Close(bool accepted) {
    if (auto* dialog = qobject_cast<QDialog*>(&window_)) {
        dialog->done(accepted ? QDialog::Accepted : QDialog::Rejected);
    } else {
        window_.close();
    }
}

MessageAnswer WidgetDialogView::ShowMessage(const MessageRequest& request) {
    return MessageBoxes::Show(&window_, request);
}

}  // namespace quellix
