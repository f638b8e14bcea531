#pragma once

#include <cstdint>

#include "mainwindow/front_end.h"

namespace quellix {

// Lets the front end handle waiting events every so many entries of one folder, so that a
// folder of many thousand files does not freeze the window. A count and no clock: the front end
// paces itself by time.
class EventPacer {
  public:
    static constexpr std::uint32_t kEntriesBetweenEvents = 256;

    explicit EventPacer(FrontEnd& frontEnd) : frontEnd_(frontEnd) {}

    // Called before each entry is handled, never in the middle of one.
    void NextEntry() {
        if (++entries_ % kEntriesBetweenEvents == 0) {
            frontEnd_.ProcessPendingEvents();
        }
    }

  private:
    FrontEnd& frontEnd_;
    std::uint32_t entries_ = 0;
};

}  // namespace quellix
