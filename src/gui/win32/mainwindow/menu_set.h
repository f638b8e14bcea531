#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>

#include "core/mainwindow/menu_table.h"

namespace quellix {

// The main window's menus built from the menu table: the menu bar, the grid's context menu and
// the tray icon's menu. An item has one command identifier and one state (caption, tick,
// enabled, shown), whichever menus show it.
class MenuSet {
  public:
    MenuSet();
    ~MenuSet();
    MenuSet(const MenuSet&) = delete;
    MenuSet& operator=(const MenuSet&) = delete;

    // The window the bar belongs to, which then destroys the bar with itself.
    void AttachTo(HWND window);
    HMENU Bar() const { return bar_; }
    HMENU Context() const { return context_; }
    HMENU Tray() const { return tray_; }

    // The command identifier of an item in every main window: numbered in the menu tables' order,
    // so that another process can send it (menus are not shared between processes in Wine).
    static UINT CommandFor(std::string_view item);

    // Whether name is a menu or an item of these menus.
    bool Has(std::string_view name) const;
    // The item a command identifier stands for, or empty.
    std::string_view ItemOf(UINT command) const;
    UINT CommandOf(std::string_view item) const;

    void SetText(std::string_view name, std::string_view text);
    std::string Text(std::string_view name) const;
    void SetChecked(std::string_view item, bool checked);
    bool IsChecked(std::string_view item) const;
    void SetEnabled(std::string_view name, bool enabled);
    bool IsEnabled(std::string_view name) const;
    void SetVisible(std::string_view item, bool visible);

  private:
    struct State {
        std::string text;
        bool enabled = true;
        bool checked = false;
        bool visible = true;
        UINT command = 0;
    };
    struct Menu {
        HMENU handle = nullptr;
        const MenuDefinition* definition = nullptr;
        // Its place on the bar, or -1 for the context and tray menus.
        int barPosition = -1;
    };

    void Fill(const Menu& menu);
    void Update(const State& state);
    void UpdateBarMenu(std::string_view name);

    HWND window_ = nullptr;
    HMENU bar_ = nullptr;
    HMENU context_ = nullptr;
    HMENU tray_ = nullptr;
    bool barAttached_ = false;
    std::map<std::string, State, std::less<>> items_;
    std::map<std::string, State, std::less<>> menus_;
    std::map<std::string, Menu, std::less<>> handles_;
};

}  // namespace quellix
