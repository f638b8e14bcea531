#include "core/common/message_script.h"

namespace quellix {

namespace {

struct ScriptState {
    bool on = false;
    std::deque<MessageAnswer> answers;
    std::vector<MessageRequest> asked;
};

ScriptState& TheScript() {
    static ScriptState script;
    return script;
}

}  // namespace

void MessageScript::Script(std::deque<MessageAnswer> answers) {
    TheScript().on = true;
    TheScript().answers = std::move(answers);
}

void MessageScript::StopScripting() {
    TheScript() = {};
}

const std::vector<MessageRequest>& MessageScript::Asked() {
    return TheScript().asked;
}

void MessageScript::ClearAsked() {
    TheScript().asked.clear();
}

std::optional<MessageAnswer> MessageScript::Answer(const MessageRequest& request) {
    ScriptState& script = TheScript();
    if (!script.on) {
        return std::nullopt;
    }
    script.asked.push_back(request);
    if (script.answers.empty()) {
        return request.defaultAnswer;
    }
    const MessageAnswer answer = script.answers.front();
    script.answers.pop_front();
    return answer;
}

}  // namespace quellix
