#pragma once

#include <span>
#include <string_view>

#include "core/common/language.h"
#include "core/common/settings.h"

namespace quellix {

// What choosing a menu item does. Items of the Folders menu and of the grid's context menu share
// their commands.
enum class MenuCommand {
    ShowWindow,
    Exit,
    AutomaticStart,
    AllObsolete,
    ShortPathnames,
    PurgeTime,
    TimeBetweenUpdates,
    EditConfiguration,
    Service,
    AddBefore,
    AddAfter,
    Modify,
    Remove,
    // What a purge would do now: of every entry, or of the selected one alone.
    PreviewPurge,
    PreviewSelected,
    UndoLastPurge,
    LogFolder,
    ViewLogs,
    LogRetention,
    SwitchLanguage,
    Help,
    About,
};

// The setting a check mark follows; None for items that never tick.
enum class MenuTick {
    None,
    AutomaticStart,
    AllObsolete,
    ShortPathnames,
    Logs,
    PurgeLogs,
    English,
    French,
};

// One line of a menu: an item named as in the caption table, or a separator (no name).
struct MenuItem {
    std::string_view name;
    MenuCommand command = MenuCommand::ShowWindow;
    MenuTick tick = MenuTick::None;

    bool IsSeparator() const { return name.empty(); }
    bool Checkable() const { return tick != MenuTick::None; }
};

struct MenuDefinition {
    std::string_view name;
    std::span<const MenuItem> items;
};

// The menu bar's menus in display order, each with its items in display order.
std::span<const MenuDefinition> MenuBarMenus();
// The grid's context menu, never in the menu bar.
const MenuDefinition& ContextMenu();
// The tray icon's menu: the File menu's items.
const MenuDefinition& TrayMenu();

// The item of that name in any of the menus above, or null.
const MenuItem* FindMenuItem(std::string_view name);

// A menu's or item's caption pair from the caption tables ("&File" / "&Fichier"); empty for a
// name they do not hold.
TextPair MenuCaption(std::string_view name);

// The access key of a caption: the character after the first "&" that is not "&&", upper-cased
// when it is an ASCII letter; 0 when there is none.
char AccessKey(std::string_view caption);

// Whether the check mark of tick is on with these settings.
bool IsTicked(MenuTick tick, const Settings& settings);

}  // namespace quellix
