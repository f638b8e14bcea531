#include "gui/win32/mainwindow/menu_set.h"

#include <algorithm>
#include <vector>

#include "platform/win32/wide_text.h"

namespace quellix {

namespace {

// Menu commands start here, clear of the controls' identifiers.
constexpr UINT kFirstCommand = 40000;

// Every menu of the window, in the order their items are numbered.
std::vector<const MenuDefinition*> AllMenus() {
    std::vector<const MenuDefinition*> menus;
    for (const MenuDefinition& definition : MenuBarMenus()) {
        menus.push_back(&definition);
    }
    menus.push_back(&ContextMenu());
    menus.push_back(&TrayMenu());
    return menus;
}

}  // namespace

UINT MenuSet::CommandFor(std::string_view item) {
    std::vector<std::string_view> numbered;
    for (const MenuDefinition* menu : AllMenus()) {
        for (const MenuItem& entry : menu->items) {
            if (entry.IsSeparator() ||
                std::find(numbered.begin(), numbered.end(), entry.name) != numbered.end()) {
                continue;
            }
            if (entry.name == item) {
                return kFirstCommand + static_cast<UINT>(numbered.size());
            }
            numbered.push_back(entry.name);
        }
    }
    return 0;
}

MenuSet::MenuSet() : bar_(CreateMenu()), context_(CreatePopupMenu()), tray_(CreatePopupMenu()) {
    for (const MenuDefinition* menu : AllMenus()) {
        for (const MenuItem& item : menu->items) {
            if (!item.IsSeparator() && items_.find(item.name) == items_.end()) {
                State state;
                state.command = CommandFor(item.name);
                items_.emplace(std::string(item.name), state);
            }
        }
    }
    int position = 0;
    for (const MenuDefinition& definition : MenuBarMenus()) {
        HMENU menu = CreatePopupMenu();
        handles_[std::string(definition.name)] = {menu, &definition, position++};
        menus_[std::string(definition.name)] = {};
        AppendMenuW(bar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu), L"");
    }
    handles_[std::string(ContextMenu().name)] = {context_, &ContextMenu(), -1};
    handles_[std::string(TrayMenu().name)] = {tray_, &TrayMenu(), -1};
    for (const auto& [name, menu] : handles_) {
        Fill(menu);
    }
}

MenuSet::~MenuSet() {
    if (!barAttached_) {
        DestroyMenu(bar_);
    }
    DestroyMenu(context_);
    DestroyMenu(tray_);
}

void MenuSet::AttachTo(HWND window) {
    window_ = window;
    barAttached_ = SetMenu(window, bar_) != FALSE;
}

bool MenuSet::Has(std::string_view name) const {
    return items_.find(name) != items_.end() || handles_.find(name) != handles_.end();
}

std::string_view MenuSet::ItemOf(UINT command) const {
    for (const auto& [name, state] : items_) {
        if (state.command == command) {
            return name;
        }
    }
    return {};
}

UINT MenuSet::CommandOf(std::string_view item) const {
    const auto found = items_.find(item);
    return found == items_.end() ? 0 : found->second.command;
}

// A menu's items again from the table, as their states say (an item may be hidden).
void MenuSet::Fill(const Menu& menu) {
    while (GetMenuItemCount(menu.handle) > 0) {
        DeleteMenu(menu.handle, 0, MF_BYPOSITION);
    }
    for (const MenuItem& item : menu.definition->items) {
        if (item.IsSeparator()) {
            AppendMenuW(menu.handle, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const State& state = items_.at(std::string(item.name));
        if (!state.visible) {
            continue;
        }
        const UINT flags = MF_STRING | (state.enabled ? MF_ENABLED : MF_GRAYED) |
                           (state.checked ? MF_CHECKED : MF_UNCHECKED);
        AppendMenuW(menu.handle, flags, state.command, platform::win32::Widen(state.text).c_str());
    }
}

void MenuSet::Update(const State& state) {
    const std::wstring text = platform::win32::Widen(state.text);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING | MIIM_STATE;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    info.fState = (state.enabled ? MFS_ENABLED : MFS_DISABLED) |
                  (state.checked ? MFS_CHECKED : MFS_UNCHECKED);
    // Found by command in every menu that shows the item, submenus included.
    for (HMENU root : {bar_, context_, tray_}) {
        SetMenuItemInfoW(root, state.command, FALSE, &info);
    }
}

void MenuSet::UpdateBarMenu(std::string_view name) {
    const Menu& menu = handles_.find(name)->second;
    if (menu.barPosition < 0) {
        return;
    }
    const State& state = menus_.find(name)->second;
    const std::wstring text = platform::win32::Widen(state.text);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING | MIIM_STATE;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    info.fState = state.enabled ? MFS_ENABLED : MFS_DISABLED;
    SetMenuItemInfoW(bar_, static_cast<UINT>(menu.barPosition), TRUE, &info);
    if (window_ != nullptr) {
        DrawMenuBar(window_);
    }
}

void MenuSet::SetText(std::string_view name, std::string_view text) {
    if (const auto item = items_.find(name); item != items_.end()) {
        item->second.text = std::string(text);
        Update(item->second);
    } else if (const auto menu = menus_.find(name); menu != menus_.end()) {
        menu->second.text = std::string(text);
        UpdateBarMenu(name);
    }
}

std::string MenuSet::Text(std::string_view name) const {
    if (const auto item = items_.find(name); item != items_.end()) {
        return item->second.text;
    }
    const auto menu = menus_.find(name);
    return menu == menus_.end() ? std::string() : menu->second.text;
}

void MenuSet::SetChecked(std::string_view item, bool checked) {
    if (const auto found = items_.find(item); found != items_.end()) {
        found->second.checked = checked;
        Update(found->second);
    }
}

bool MenuSet::IsChecked(std::string_view item) const {
    const auto found = items_.find(item);
    return found != items_.end() && found->second.checked;
}

void MenuSet::SetEnabled(std::string_view name, bool enabled) {
    if (const auto item = items_.find(name); item != items_.end()) {
        item->second.enabled = enabled;
        Update(item->second);
    } else if (const auto menu = menus_.find(name); menu != menus_.end()) {
        menu->second.enabled = enabled;
        UpdateBarMenu(name);
    }
}

bool MenuSet::IsEnabled(std::string_view name) const {
    if (const auto item = items_.find(name); item != items_.end()) {
        return item->second.enabled;
    }
    const auto menu = menus_.find(name);
    return menu != menus_.end() && menu->second.enabled;
}

void MenuSet::SetVisible(std::string_view item, bool visible) {
    const auto found = items_.find(item);
    if (found == items_.end() || found->second.visible == visible) {
        return;
    }
    found->second.visible = visible;
    for (const auto& [name, menu] : handles_) {
        Fill(menu);
    }
}

}  // namespace quellix
