#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "core/common/messages.h"

namespace quellix {

// Every message box of the desktop program passes here first, so that tests can script the
// answers: once scripting is on, no box is shown; each request is recorded and answered from the
// queue, or with its default answer when the queue is empty.
class MessageScript {
  public:
    static void Script(std::deque<MessageAnswer> answers);
    static void StopScripting();
    static const std::vector<MessageRequest>& Asked();
    static void ClearAsked();

    // The scripted answer, the request recorded; nothing when a box is to be shown.
    static std::optional<MessageAnswer> Answer(const MessageRequest& request);
};

}  // namespace quellix
