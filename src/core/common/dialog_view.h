#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/common/messages.h"
#include "core/common/settings.h"

namespace quellix {

// What a presenter asks of the window it drives. Controls are named as in the caption tables
// ("txtHeures", "cmdOK"); the window's own name is its title bar. Every front end maps the names
// onto its controls, so one presenter serves every toolkit and the tests' recording view.
class DialogView : public Messages {
  public:
    // A label's or button's caption, a field's text, a frame's title.
    virtual void SetText(std::string_view control, std::string_view text) = 0;
    virtual std::string Text(std::string_view control) const = 0;
    // Check boxes and option buttons.
    virtual void SetChecked(std::string_view control, bool checked) = 0;
    virtual bool IsChecked(std::string_view control) const = 0;
    virtual void SetEnabled(std::string_view control, bool enabled) = 0;
    virtual void SetVisible(std::string_view control, bool visible) = 0;
    // No colour: the toolkit's own.
    virtual void SetTextColour(std::string_view control, std::optional<Colour> colour) = 0;
    virtual void SetFocus(std::string_view control) = 0;
    // Ends the window: accepted after OK, not after Cancel or the close box.
    virtual void Close(bool accepted) = 0;
};

}  // namespace quellix
