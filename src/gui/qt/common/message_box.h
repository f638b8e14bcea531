#pragma once

#include <QWidget>
#include <deque>
#include <vector>

#include "core/common/front_end.h"

namespace quellix {

// Every message box of the desktop program goes through here, so that tests can script the
// answers: once scripting is on, no box is shown; each request is recorded and answered from the
// queue, or with its default answer when the queue is empty.
class MessageBoxes {
  public:
    static MessageAnswer Show(QWidget* parent, const MessageRequest& request);

    static void Script(std::deque<MessageAnswer> answers);
    static void StopScripting();
    static const std::vector<MessageRequest>& Asked();
    static void ClearAsked();
};

}  // namespace quellix
