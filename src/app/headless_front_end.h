#pragma once

#include <functional>
#include <optional>
#include <ostream>

#include "core/common/front_end.h"

namespace quellix {

// The front end of runs without a display: no window is ever created, messages are written to
// the error stream and every question gets its default answer.
class HeadlessFrontEnd final : public FrontEnd {
  public:
    explicit HeadlessFrontEnd(std::ostream& messages) : messages_(messages) {}

    MessageAnswer ShowMessage(const MessageRequest& request) override;
    void RunCountPass() override { Call(countPass_); }
    void RunStartCommand() override { Call(startCommand_); }
    void ProcessPendingEvents() override { Call(pendingEvents_); }
    void EndProgram(ProgramEnd end) override { end_ = end; }

    // What the count, the Start command and the pending events run; set once the program is
    // wired.
    void SetCountPass(std::function<void()> run) { countPass_ = std::move(run); }
    void SetStartCommand(std::function<void()> run) { startCommand_ = std::move(run); }
    void SetPendingEvents(std::function<void()> run) { pendingEvents_ = std::move(run); }

    // Set once something asked the program to end.
    std::optional<ProgramEnd> EndRequested() const { return end_; }

  private:
    static void Call(const std::function<void()>& run) {
        if (run) {
            run();
        }
    }

    std::ostream& messages_;
    std::function<void()> countPass_;
    std::function<void()> startCommand_;
    std::function<void()> pendingEvents_;
    std::optional<ProgramEnd> end_;
};

}  // namespace quellix
