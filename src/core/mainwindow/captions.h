#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/folder_list.h"
#include "core/common/language.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/mainwindow/caption_texts.h"

namespace quellix {

// One text to set on one control, in the current language.
struct Caption {
    std::string_view control;
    CaptionProperty property;
    std::string text;      // caption and tooltip
    bool checked = false;  // check mark
};

// Every caption of the main window for the language of settings, in the caption table's order,
// ending with the purge-time and last-purge labels.
std::vector<Caption> CaptionsFor(const Settings& settings);

// "Purge at 12:00 [Mon Tue] " from Heure and the day list of the language.
std::string PurgeTimeText(const Settings& settings);

// The statistics of the last purge as the main window shows them at load.
std::string LastPurgeStatusText(const Settings& settings);

// Caption of the context menu's first item: with an empty list there is nothing to add before.
std::string_view AddFolderCaption(bool listEmpty, Language language);

// The six header cells of the folder grid in language.
std::array<std::string, kFolderColumnCount> FolderHeaderTexts(const FolderList& list,
                                                              Language language);

// What a narrow column (count, retention, subfolders, date) must show whole in either language
// and whatever a count says, so that its width stays put when a count ends ("unknown") or the
// language changes. Each text once.
struct NarrowColumnTexts {
    std::vector<std::string> headers;
    std::vector<std::string> cells;
};
NarrowColumnTexts NarrowColumnTextsOf(const FolderList& list, FolderColumn column);

// The handler of both language menu items: the language flips, Langue is written at once (a
// failed write changes nothing here); the folder list is shown in it from then on. Returns the
// new language; the caller then reapplies CaptionsFor.
Language SwitchLanguage(Settings& settings, ConfigStore& config, FolderList& list);

}  // namespace quellix
