#include "support/scripted_front_end.h"

namespace quellix::test {

namespace {
std::string Call(const char* name, std::string_view argument) {
    return std::string(name) + "(" + std::string(argument) + ")";
}
}  // namespace

MessageAnswer ScriptedFrontEnd::ShowMessage(const MessageRequest& request) {
    messages.push_back(request);
    calls.push_back(Call("ShowMessage", request.text));
    if (answers.empty()) {
        return request.defaultAnswer;
    }
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedFrontEnd::ShowLoadingWindow(std::string_view caption) {
    calls.push_back(Call("ShowLoadingWindow", caption));
}
void ScriptedFrontEnd::SetLoadingMessage(std::string_view text) {
    calls.push_back(Call("SetLoadingMessage", text));
}
void ScriptedFrontEnd::SetLoadingCounter(std::string_view text) {
    calls.push_back(Call("SetLoadingCounter", text));
}
void ScriptedFrontEnd::HideLoadingWindow() {
    calls.push_back("HideLoadingWindow");
}
bool ScriptedFrontEnd::CreateMainWindow() {
    calls.push_back("CreateMainWindow");
    return mainWindowLoadSucceeds;
}
void ScriptedFrontEnd::ApplyCaptions() {
    calls.push_back("ApplyCaptions");
}
void ScriptedFrontEnd::SetLastPurgeText(std::string_view text) {
    calls.push_back(Call("SetLastPurgeText", text));
}
void ScriptedFrontEnd::SetStatusText(std::string_view text) {
    calls.push_back(Call("SetStatusText", text));
}
void ScriptedFrontEnd::SetBusyVisible(bool visible) {
    calls.push_back(Call("SetBusyVisible", visible ? "true" : "false"));
}
void ScriptedFrontEnd::ShowMainWindow() {
    calls.push_back("ShowMainWindow");
    mainWindowVisible = true;
}
void ScriptedFrontEnd::FolderListChanged() {
    calls.push_back("FolderListChanged");
}
void ScriptedFrontEnd::RunCountPass() {
    calls.push_back("RunCountPass");
}
void ScriptedFrontEnd::RunStartCommand() {
    calls.push_back("RunStartCommand");
}
void ScriptedFrontEnd::ProcessPendingEvents() {
    calls.push_back("ProcessPendingEvents");
    if (onPendingEvents) {
        onPendingEvents();
    }
}

void ScriptedFrontEnd::SetSchedulerMode(SchedulerMode mode) {
    static constexpr const char* kNames[] = {"Stopped", "Running", "Immediate"};
    calls.push_back(Call("SetSchedulerMode", kNames[static_cast<int>(mode)]));
    schedulerMode = mode;
}
void ScriptedFrontEnd::ShowHourglassFrame(int frame) {
    hourglassFrame = frame;
}
void ScriptedFrontEnd::SetPurgeTimeVisible(bool visible) {
    calls.push_back(Call("SetPurgeTimeVisible", visible ? "true" : "false"));
}
void ScriptedFrontEnd::EndProgram(ProgramEnd end) {
    calls.push_back(Call("EndProgram", end == ProgramEnd::Normal ? "Normal" : "Failure"));
    programEnd = end;
}

bool ScriptedFrontEnd::Called(const std::string& prefix) const {
    return IndexOf(prefix) >= 0;
}

int ScriptedFrontEnd::IndexOf(const std::string& prefix) const {
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].rfind(prefix, 0) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace quellix::test
