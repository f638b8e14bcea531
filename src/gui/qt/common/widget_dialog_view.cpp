#include "gui/qt/common/widget_dialog_view.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "gui/qt/common/message_box.h"
#include "gui/qt/common/qt_colour.h"
#include "gui/qt/common/qt_text.h"

namespace quellix {

QWidget* WidgetDialogView::Find(std::string_view control) const {
    const QString name = ToQString(control);
    if (name == dialog_.objectName()) {
        return &dialog_;
    }
    return dialog_.findChild<QWidget*>(name);
}

void WidgetDialogView::SetText(std::string_view control, std::string_view text) {
    QWidget* widget = Find(control);
    const QString value = ToQString(text);
    if (widget == &dialog_) {
        dialog_.setWindowTitle(value);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(value);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(value);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(value);
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        frame->setTitle(value);
    }
}

std::string WidgetDialogView::Text(std::string_view control) const {
    QWidget* widget = Find(control);
    if (widget == &dialog_) {
        return ToUtf8(dialog_.windowTitle());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return ToUtf8(edit->text());
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return ToUtf8(label->text());
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return ToUtf8(button->text());
    }
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        return ToUtf8(frame->title());
    }
    return {};
}

void WidgetDialogView::SetChecked(std::string_view control, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(Find(control))) {
        button->setChecked(checked);
    }
}

bool WidgetDialogView::IsChecked(std::string_view control) const {
    auto* button = qobject_cast<QAbstractButton*>(Find(control));
    return button != nullptr && button->isChecked();
}

void WidgetDialogView::SetEnabled(std::string_view control, bool enabled) {
    if (QWidget* widget = Find(control)) {
        widget->setEnabled(enabled);
    }
}

void WidgetDialogView::SetVisible(std::string_view control, bool visible) {
    if (QWidget* widget = Find(control)) {
        widget->setVisible(visible);
    }
}

void WidgetDialogView::SetTextColour(std::string_view control, std::optional<Colour> colour) {
    QWidget* widget = Find(control);
    if (widget == nullptr) {
        return;
    }
    QPalette palette = widget->palette();
    const QPalette standard = dialog_.palette();
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(role, colour ? ToQColor(*colour) : standard.color(role));
    }
    widget->setPalette(palette);
}

void WidgetDialogView::SetFocus(std::string_view control) {
    if (QWidget* widget = Find(control)) {
        widget->setFocus();
    }
}

void WidgetDialogView::Close(bool accepted) {
    dialog_.done(accepted ? QDialog::Accepted : QDialog::Rejected);
}

MessageAnswer WidgetDialogView::ShowMessage(const MessageRequest& request) {
    return MessageBoxes::Show(&dialog_, request);
}

}  // namespace quellix
