#pragma once

#include <windows.h>

#include "core/common/message_script.h"

namespace quellix {

// The program's message boxes on Windows: MessageBoxW, unless a test scripts the answers.
class MessageBoxes : public MessageScript {
  public:
    static MessageAnswer Show(HWND owner, const MessageRequest& request);
};

}  // namespace quellix
