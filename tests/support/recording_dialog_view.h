#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/common/dialog_view.h"

namespace quellix {

// A window without a toolkit: remembers what its presenter set, lets a test type into fields and
// tick boxes, and answers message boxes from a script (the request's default once it runs out).
class RecordingDialogView : public virtual DialogView {
  public:
    struct Control {
        std::string text;
        bool checked = false;
        bool enabled = true;
        bool visible = true;
        std::optional<Colour> colour;
    };

    void SetText(std::string_view control, std::string_view text) override {
        At(control).text = std::string(text);
    }
    std::string Text(std::string_view control) const override { return Get(control).text; }
    void SetChecked(std::string_view control, bool checked) override {
        At(control).checked = checked;
    }
    bool IsChecked(std::string_view control) const override { return Get(control).checked; }
    void SetEnabled(std::string_view control, bool enabled) override {
        At(control).enabled = enabled;
    }
    void SetVisible(std::string_view control, bool visible) override {
        At(control).visible = visible;
    }
    void SetTextColour(std::string_view control, std::optional<Colour> colour) override {
        At(control).colour = colour;
    }
    void SetFocus(std::string_view control) override { focus = std::string(control); }
    void Close(bool accepted) override { closed = accepted; }
    MessageAnswer ShowMessage(const MessageRequest& request) override {
        asked.push_back(request);
        if (answers.empty()) {
            return request.defaultAnswer;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    Control& At(std::string_view control) { return controls[std::string(control)]; }
    Control Get(std::string_view control) const {
        const auto found = controls.find(std::string(control));
        return found == controls.end() ? Control{} : found->second;
    }

    std::map<std::string, Control, std::less<>> controls;
    std::string focus;
    // Set once the presenter closed the window: true after OK.
    std::optional<bool> closed;
    std::deque<MessageAnswer> answers;
    std::vector<MessageRequest> asked;
};

}  // namespace quellix
