#include "gui/qt/common/message_box.h"

#include <QMessageBox>
#include <QPushButton>

namespace quellix {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            break;
    }
    return QMessageBox::Information;
}

QMessageBox::StandardButtons ToQtButtons(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton ToQtButton(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Cancel:
            return QMessageBox::Cancel;
        case MessageAnswer::Yes:
            return QMessageBox::Yes;
        case MessageAnswer::No:
            return QMessageBox::No;
        case MessageAnswer::Ok:
            break;
    }
    return QMessageBox::Ok;
}

MessageAnswer FromQtButton(int button, const MessageRequest& request) {
    switch (button) {
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            return request.defaultAnswer;
    }
}

}  // namespace

MessageAnswer MessageBoxes::Show(QWidget* parent, const MessageRequest& request) {
    if (const auto scripted = Answer(request)) {
        return *scripted;
    }
    // Texts come with Windows line ends; Qt breaks lines on the line feed alone.
    QString text = QString::fromStdString(request.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(ToQtIcon(request.icon), QString::fromStdString(request.title), text,
                    ToQtButtons(request.buttons), parent);
    box.setDefaultButton(ToQtButton(request.defaultAnswer));
    // Escape answers No where there is no Cancel, as people expect of a question.
    if (request.buttons == MessageButtons::YesNo) {
        box.setEscapeButton(QMessageBox::No);
    }
    return FromQtButton(box.exec(), request);
}

}  // namespace quellix
