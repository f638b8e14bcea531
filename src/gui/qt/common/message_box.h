#pragma once

#include <QWidget>

#include "core/common/message_script.h"

namespace quellix {

// The program's message boxes on the desktop: a QMessageBox, unless a test scripts the answers.
class MessageBoxes : public MessageScript {
  public:
    static MessageAnswer Show(QWidget* parent, const MessageRequest& request);
};

}  // namespace quellix
