#pragma once

#include <string>

namespace quellix {

enum class MessageIcon { Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    // What a front end that cannot ask anybody answers: the first button of the box.
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
};

// Message boxes and questions, the one thing every front end offers, the headless one included.
class Messages {
  public:
    virtual ~Messages() = default;
    // A modal message box; returns the button chosen.
    virtual MessageAnswer ShowMessage(const MessageRequest& request) = 0;
};

}  // namespace quellix
