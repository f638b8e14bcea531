#include "app/headless_front_end.h"

namespace quellix {

MessageAnswer HeadlessFrontEnd::ShowMessage(const MessageRequest& request) {
    messages_ << request.text << '\n' << std::flush;
    return request.defaultAnswer;
}

}  // namespace quellix
