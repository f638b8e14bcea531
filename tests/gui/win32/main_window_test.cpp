#include "gui/win32/mainwindow/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/mainwindow/menu_table.h"
#include "gui/win32/app/desktop_program.h"
#include "gui/win32/common/message_box.h"
#include "gui/win32/mainwindow/loading_window.h"
#include "gui/win32/mainwindow/win32_front_end.h"
#include "platform/clock.h"
#include "platform/win32/wide_text.h"
#include "support/fake_service_host.h"
#include "support/file_tree.h"
#include "support/temp_dir.h"
#include "support/win32/modal_driver.h"
#include "support/win32/window_picture.h"

namespace quellix::test {
namespace {

constexpr std::int64_t kLongAgo = 1'000'000'000;  // 2001: older than any retention

// The notification area as tests see it: Wine without a display has none.
class FakeTrayIcon final : public TrayIcon {
  public:
    bool Available() const override { return available; }
    void Show(HWND, HICON, std::string_view newTip) override {
        shown = true;
        tip = std::string(newTip);
    }
    void Remove() override { shown = false; }

    bool available = true;
    bool shown = false;
    std::string tip;
};

// The posted messages a real loop would have handled by now.
void HandlePosted() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HICON ShownIcon(HWND window, std::string_view control) {
    return reinterpret_cast<HICON>(SendMessageW(Named(window, control), STM_GETICON, 0, 0));
}

std::string Entry(int number, const std::string& folder, const std::string& retention,
                  const std::string& subfolders, const std::string& actionKey) {
    const std::string n = std::to_string(number);
    return "Path" + n + "=@/" + folder + "/\r\nRetentionPath" + n + "=" + retention +
           "\r\nSousDossiers" + n + "=" + subfolders + "\r\nDate" + n + "=M\r\n" + actionKey + n +
           "=oui\r\n";
}

// A desktop program on its own configuration file, its folders in a tree of files, its message
// boxes scripted.
struct Desktop {
    explicit Desktop(std::string ini) {
        for (std::size_t at = ini.find('@'); at != std::string::npos; at = ini.find('@')) {
            ini.replace(at, 1, tree.Root());
        }
        dir.Write("Quellix.ini", ini);
        MessageBoxes::Script({});
        program = std::make_unique<DesktopProgram>(DesktopOptions{
            {CommandLine{}, PortableProgramFiles(dir.Path()), service, platform::SystemClock(),
             [this](const std::string& path) {
                 opened.push_back(path);
                 return true;
             },
             [this](const std::string& path) {
                 edited.push_back(path);
                 return true;
             },
             [this](int code) { endedWith = code; }},
            [] { return std::make_unique<FakeTrayIcon>(); }});
    }
    ~Desktop() {
        program.reset();
        MessageBoxes::StopScripting();
    }
    HWND Window() const { return program->Window()->Handle(); }
    FakeTrayIcon& Tray() const { return static_cast<FakeTrayIcon&>(program->Tray()); }
    // A menu item chosen, as the menu sends it.
    void Choose(std::string_view item) const {
        SendMessageW(Window(), WM_COMMAND, program->Window()->Menus().CommandOf(item), 0);
    }

    TempDir dir;
    FileTree tree;
    FakeServiceHost service;
    std::vector<std::string> opened;
    std::vector<std::string> edited;
    std::optional<int> endedWith;
    std::unique_ptr<DesktopProgram> program;
};

std::string Cell(HWND list, int row, int column) {
    wchar_t text[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return platform::win32::Narrow(text);
}

std::string Header(HWND list, int column) {
    wchar_t text[256] = {};
    LVCOLUMNW definition{};
    definition.mask = LVCF_TEXT;
    definition.pszText = text;
    definition.cchTextMax = 256;
    SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&definition));
    return platform::win32::Narrow(text);
}

std::string MenuText(HMENU menu, UINT position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return platform::win32::Narrow(text);
}

bool Enabled(HWND window, std::string_view control) {
    return IsWindowEnabled(Named(window, control)) != FALSE;
}

// A row of the grid selected, then a mouse notice on it, as the list view sends them.
void NotifyOnRow(HWND window, HWND list, int row, UINT code) {
    ListView_SetItemState(list, row, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    NMITEMACTIVATE notice{};
    notice.hdr = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), code};
    notice.iItem = row;
    SendMessageW(window, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}

// In a popup menu: the item of that caption chosen with the arrow keys and Enter, as a user
// would; every caption shown is returned.
ModalDriver::Script ChooseInPopup(std::string caption, std::vector<std::string>* shown) {
    return [caption = std::move(caption), shown](HWND popup) {
        auto* menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
        int steps = 0;
        bool found = false;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            if ((state & MF_SEPARATOR) != 0) {
                continue;
            }
            const std::string text = MenuText(menu, static_cast<UINT>(i));
            shown->push_back(text);
            if (!found && (state & MF_GRAYED) == 0) {
                ++steps;
                found = text == caption;
            }
        }
        ASSERT_TRUE(found) << caption;
        for (int i = 0; i < steps; ++i) {
            PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
        }
        PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    };
}

// Start-up, the grid, the menus from the table, the language, Start and Stop, the purge time
// label, the tray toggle and menu, Delete on a row and Exit: one path through the real window.
TEST(MainWindowWin32, OnePathThroughTheWindow) {
    Desktop desktop("[Purge]\r\nHeure=12:00\r\n[Paths]\r\nNbPaths=2\r\n" +
                    Entry(1, "a", "48", "oui [D]", "Effacer") +
                    Entry(2, "b", "25", "non", "Corbeille"));
    desktop.tree.File("a/old", kLongAgo);
    desktop.tree.File("a/sub/older", kLongAgo);
    desktop.tree.Folder("b");
    ASSERT_EQ(desktop.program->Start(), StartupOutcome::Running);
    HWND window = desktop.Window();
    LoadingWindow& loading = *desktop.program->Front().Loading();
    EXPECT_EQ(quellix::TextOf(loading.Message()), "Loading folders");
    EXPECT_EQ(quellix::TextOf(loading.Counter()), "2/2");
    EXPECT_FALSE(IsWindowVisible(loading.Handle()));
    EXPECT_EQ(quellix::TextOf(window).rfind("Quellix 1.0.0 - ", 0), 0U) << quellix::TextOf(window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(IsZoomed(window));
    EXPECT_TRUE(desktop.Tray().shown);
    EXPECT_EQ(desktop.Tray().tip, "Quellix 1.0.0");

    HWND list = Named(window, "flexList");
    ASSERT_EQ(ListView_GetItemCount(list), 2);
    EXPECT_EQ(Cell(list, 0, 0), "2");
    EXPECT_EQ(Cell(list, 0, 3), "yes [D]");
    EXPECT_EQ(Cell(list, 1, 5), "Recycle Bin");
    EXPECT_EQ(Header(list, 1), "Folders to purge (2)");
    if (const char* folder = std::getenv("QUELLIX_PICTURES")) {
        SaveWindowPicture(window, std::string(folder) + "/main_window.bmp");
    }
    // Delete in red, Recycle Bin in blue, as painted.
    RECT action{};
    ListView_GetSubItemRect(list, 0, 5, LVIR_BOUNDS, &action);
    EXPECT_TRUE(PaintedIn(list, action, RGB(255, 0, 0)));
    ListView_GetSubItemRect(list, 1, 5, LVIR_BOUNDS, &action);
    EXPECT_TRUE(PaintedIn(list, action, RGB(0, 0, 255)));

    // The menu bar is the menu table, in order, captions and ticks included.
    HMENU bar = GetMenu(window);
    ASSERT_EQ(static_cast<std::size_t>(GetMenuItemCount(bar)), MenuBarMenus().size());
    for (std::size_t i = 0; i < MenuBarMenus().size(); ++i) {
        const MenuDefinition& definition = MenuBarMenus()[i];
        EXPECT_EQ(MenuText(bar, static_cast<UINT>(i)), MenuCaption(definition.name).english);
        HMENU menu = GetSubMenu(bar, static_cast<int>(i));
        ASSERT_EQ(static_cast<std::size_t>(GetMenuItemCount(menu)), definition.items.size());
        for (std::size_t j = 0; j < definition.items.size(); ++j) {
            const MenuItem& item = definition.items[j];
            const UINT state = GetMenuState(menu, static_cast<UINT>(j), MF_BYPOSITION);
            EXPECT_EQ((state & MF_SEPARATOR) != 0, item.IsSeparator()) << item.name;
            if (!item.IsSeparator()) {
                EXPECT_EQ(MenuText(menu, static_cast<UINT>(j)), MenuCaption(item.name).english);
                // What another process sends to choose the item.
                EXPECT_EQ(GetMenuItemID(menu, static_cast<int>(j)), MenuSet::CommandFor(item.name));
            }
        }
    }
    const auto ticked = [&](std::string_view item) {
        const UINT command = desktop.program->Window()->Menus().CommandOf(item);
        return (GetMenuState(bar, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    EXPECT_TRUE(ticked("mnuAnglais"));

    // French, then English again: captions, menus, ticks, cells and the file follow.
    desktop.Choose("mnuFrancais");
    EXPECT_EQ(TextOf(window, "cmdDemarrer"), "Démarrer");
    EXPECT_EQ(MenuText(bar, 0), "&Fichier");
    EXPECT_TRUE(ticked("mnuFrancais"));
    EXPECT_FALSE(ticked("mnuAnglais"));
    EXPECT_EQ(Cell(list, 1, 5), "Corbeille");
    EXPECT_NE(desktop.dir.Read("Quellix.ini").find("Langue=1"), std::string::npos);
    desktop.Choose("mnuAnglais");
    EXPECT_EQ(TextOf(window, "cmdDemarrer"), "Start");

    // Start and Stop swap the buttons and the settings menus.
    Click(window, "cmdDemarrer");
    EXPECT_FALSE(Enabled(window, "cmdDemarrer"));
    EXPECT_TRUE(Enabled(window, "cmdArreter"));
    const UINT purgeTime = desktop.program->Window()->Menus().CommandOf("mnuModifierHeure");
    EXPECT_NE(GetMenuState(bar, purgeTime, MF_BYCOMMAND) & MF_GRAYED, 0U);
    Click(window, "cmdArreter");
    EXPECT_TRUE(Enabled(window, "cmdDemarrer"));
    EXPECT_EQ(GetMenuState(bar, purgeTime, MF_BYCOMMAND) & MF_GRAYED, 0U);

    // Tab walks the controls that take the keyboard, the grid included, and leaves it again;
    // Stop is skipped while it is disabled.
    SetFocus(Named(window, "cmdDemarrer"));
    const char* tabOrder[] = {"chkPurgeImmediate", "flexList", "cmdDemarrer"};
    for (const char* next : tabOrder) {
        PressKey(window, VK_TAB);
        EXPECT_EQ(GetFocus(), Named(window, next)) << next;
    }

    // The purge time label opens its dialog; Escape leaves the time as it was.
    ModalDriver()
        .Then([](HWND dialog) {
            EXPECT_EQ(TextOf(dialog, ""), "Purge at...");
            PressKey(dialog, VK_ESCAPE);
        })
        .Run([&] {
            HWND label = Named(window, "lblHeurePurge");
            SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        });
    EXPECT_EQ(TextOf(window, "lblHeurePurge").rfind("Purge at 12:00", 0), 0U);

    // The tray icon's left click hides the window and brings it back; its menu restores too.
    SendMessageW(window, kTrayMessage, 1, WM_LBUTTONUP);
    EXPECT_FALSE(IsWindowVisible(window));
    SendMessageW(window, kTrayMessage, 1, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(IsZoomed(window));

    // Delete on a row asks first; No keeps it.
    MessageBoxes::Script({MessageAnswer::No});
    ListView_SetItemState(list, 1, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    SendMessageW(list, WM_KEYDOWN, VK_DELETE, 0);
    ASSERT_EQ(MessageBoxes::Asked().size(), 1U);
    EXPECT_EQ(ListView_GetItemCount(list), 2);
    MessageBoxes::ClearAsked();

    // No Close in the system menu, so no close box nor Alt+F4; a close that comes all the same
    // (the task bar's) asks, No keeps the program; Exit and Yes end it.
    EXPECT_EQ(GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND),
              static_cast<UINT>(-1));
    MessageBoxes::Script({MessageAnswer::No});
    SendMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(MessageBoxes::Asked().size(), 1U);
    EXPECT_EQ(MessageBoxes::Asked()[0].text, "Exit program");
    EXPECT_TRUE(IsWindowVisible(window));
    MessageBoxes::Script({MessageAnswer::Yes});
    desktop.Choose("mnuQuitter");
    EXPECT_FALSE(desktop.Tray().shown);
    EXPECT_TRUE(desktop.program->QuitRequested());
    EXPECT_EQ(desktop.endedWith, std::optional<int>(0));
}

// The routes the first path leaves out: a folder gone missing in yellow, a double click and the
// grid's own menu, Purge now, the tray's menu, the configuration file and the help from the
// menus, then the Folders menu's Remove down to the empty list and its hint, and its Add.
TEST(MainWindowWin32, GridMenusTrayAndFoldersMenu) {
    Desktop desktop("[Paths]\r\nNbPaths=2\r\n" + Entry(1, "a", "48", "oui [D]", "Effacer") +
                    Entry(2, "gone", "25", "non", "Corbeille"));
    desktop.tree.File("a/old", kLongAgo);
    desktop.tree.File("a/sub/older", kLongAgo);
    desktop.tree.File("a/new", std::time(nullptr));
    desktop.dir.Write("QuellixEN.htm", "<html>");
    ASSERT_EQ(desktop.program->Start(), StartupOutcome::Running);
    HWND window = desktop.Window();
    HWND list = Named(window, "flexList");

    EXPECT_EQ(Cell(list, 1, 0), "unknown");
    RECT path{};
    ListView_GetSubItemRect(list, 1, 1, LVIR_BOUNDS, &path);
    EXPECT_TRUE(PaintedIn(list, path, RGB(255, 255, 0)));
    ListView_GetSubItemRect(list, 0, 1, LVIR_BOUNDS, &path);
    EXPECT_FALSE(PaintedIn(list, path, RGB(255, 255, 0)));
    // A cell's tip, for the column under the pointer: the retention in days, the whole path.
    for (const auto& [column, expected] :
         {std::pair{2, std::string("2 days")}, std::pair{1, desktop.tree.Root() + "/gone/"}}) {
        RECT cell{};
        ListView_GetSubItemRect(list, column == 2 ? 0 : 1, column, LVIR_BOUNDS, &cell);
        POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        ClientToScreen(list, &at);
        SetCursorPos(at.x, at.y);
        wchar_t text[256] = {};
        NMLVGETINFOTIPW tip{};
        tip.hdr = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), LVN_GETINFOTIPW};
        tip.iItem = column == 2 ? 0 : 1;
        tip.pszText = text;
        tip.cchTextMax = 256;
        SendMessageW(window, WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&tip));
        EXPECT_EQ(platform::win32::Narrow(text), expected) << column;
    }

    // The arrow keys move through the grid; Alt and a menu's letter open that menu.
    SetFocus(list);
    ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 1);
    std::vector<std::string> fileMenu;
    ModalDriver()
        .Then([&fileMenu](HWND popup) {
            auto* menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                fileMenu.push_back(MenuText(menu, static_cast<UINT>(i)));
            }
            EndMenu();
        })
        .Run([&] { SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, 'f'); });
    EXPECT_EQ(fileMenu, (std::vector<std::string>{"&Show main window", "&Exit"}));
    EXPECT_TRUE(MessageBoxes::Asked().empty());

    // A double click modifies its row; the grid's menu offers the row's commands.
    ModalDriver()
        .Then([&](HWND editor) {
            EXPECT_EQ(TextOf(editor, ""), "Modify a folder");
            std::string folder = desktop.tree.Root() + "/a/";
            std::replace(folder.begin(), folder.end(), '/', '\\');
            EXPECT_EQ(TextOf(editor, "lblRepertoire"), folder);
            PressKey(editor, VK_ESCAPE);
        })
        .Run([&] { NotifyOnRow(window, list, 0, NM_DBLCLK); });
    std::vector<std::string> popup;
    ModalDriver()
        .Then(ChooseInPopup("&Modify the selected folder", &popup))
        .Then([](HWND editor) {
            EXPECT_EQ(TextOf(editor, ""), "Modify a folder");
            PressKey(editor, VK_ESCAPE);
        })
        .Run([&] { NotifyOnRow(window, list, 0, NM_RCLICK); });
    EXPECT_EQ(popup, (std::vector<std::string>{
                         "Add a new folder &before", "Add a new folder &after",
                         "&Modify the selected folder", "&Remove the selected folder from the list",
                         "&Preview purge of this folder..."}));

    // Purge now asks, purges and stops the schedule again.
    MessageBoxes::Script({MessageAnswer::Yes});
    Click(window, "chkPurgeImmediate");
    Click(window, "cmdDemarrer");
    ASSERT_EQ(MessageBoxes::Asked().size(), 1U);
    EXPECT_FALSE(desktop.tree.Exists("a/old") || desktop.tree.Exists("a/sub"));
    EXPECT_TRUE(desktop.tree.Exists("a/new"));
    EXPECT_TRUE(Enabled(window, "cmdDemarrer"));
    EXPECT_EQ(Cell(list, 0, 0), "1");
    Click(window, "chkPurgeImmediate");
    MessageBoxes::ClearAsked();

    // The tray's own menu brings the hidden window back.
    SendMessageW(window, kTrayMessage, 1, WM_LBUTTONUP);
    ASSERT_FALSE(IsWindowVisible(window));
    std::vector<std::string> trayMenu;
    ModalDriver().Then(ChooseInPopup("&Show main window", &trayMenu)).Run([&] {
        SendMessageW(window, kTrayMessage, 1, WM_RBUTTONUP);
    });
    EXPECT_EQ(trayMenu, (std::vector<std::string>{"&Show main window", "&Exit"}));
    EXPECT_TRUE(IsWindowVisible(window));

    // The configuration file in the text editor, with a word that it is read at start-up only;
    // the help page in the browser.
    desktop.Choose("mnuEditerIni");
    EXPECT_EQ(desktop.edited, std::vector<std::string>{desktop.dir.Path() + "\\Quellix.ini"});
    ASSERT_EQ(MessageBoxes::Asked().size(), 1U);
    desktop.Choose("mnuHelp");
    EXPECT_EQ(desktop.opened, std::vector<std::string>{desktop.dir.Path() + "\\QuellixEN.htm"});
    MessageBoxes::ClearAsked();

    // Remove from the Folders menu, down to an empty list, which shows its hint; Add then opens
    // the editor, under its plain title with no row to go by.
    EXPECT_FALSE(IsWindowVisible(Named(window, "lblBulle")));
    for (const int left : {1, 0}) {
        MessageBoxes::Script({MessageAnswer::Yes});
        ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
        desktop.Choose("mnuConfigurationSupprimer");
        EXPECT_EQ(ListView_GetItemCount(list), left);
        EXPECT_NE(desktop.dir.Read("Quellix.ini").find("NbPaths=" + std::to_string(left)),
                  std::string::npos);
    }
    EXPECT_TRUE(IsWindowVisible(Named(window, "lblBulle")));
    EXPECT_EQ(TextOf(window, "lblBulle"), "Define folders using right click on the folder column");
    ModalDriver()
        .Then([](HWND editor) {
            EXPECT_EQ(TextOf(editor, ""), "Folder");
            PressKey(editor, VK_ESCAPE);
        })
        .Run([&] { desktop.Choose("mnuConfigurationAjouterApres"); });
    EXPECT_EQ(ListView_GetItemCount(list), 0);
}

// The schedule's countdown and turning hourglass, a move undone from the Folders menu, short
// path names, minimizing with and without a notification area, and an automatic start in French
// that shows the tray icon alone.
TEST(MainWindowWin32, CountdownUndoShortPathsAndMinimizing) {
    Desktop desktop(
        "[Purge]\r\nTemporisation=30\r\n[Paths]\r\nNbPaths=1\r\nPath1=@/m/\r\n"
        "RetentionPath1=48\r\nSousDossiers1=non\r\nDate1=M\r\n"
        "AutreDossier1=@/dest/\r\n");
    desktop.tree.File("m/old", kLongAgo, "kept");
    desktop.tree.Folder("dest");
    ASSERT_EQ(desktop.program->Start(), StartupOutcome::Running);
    HWND window = desktop.Window();
    HWND list = Named(window, "flexList");

    Click(window, "cmdDemarrer");
    std::vector<HICON> frames;
    for (const char* countdown : {"Update in 30 seconds", "Update in 29 seconds"}) {
        SendMessageW(window, WM_TIMER, 1, 0);
        EXPECT_EQ(TextOf(window, "lblMaj"), countdown);
        frames.push_back(ShownIcon(window, "imgRefresh"));
    }
    EXPECT_NE(frames[0], frames[1]);
    Click(window, "cmdArreter");

    MessageBoxes::Script({MessageAnswer::Yes});
    Click(window, "chkPurgeImmediate");
    Click(window, "cmdDemarrer");
    Click(window, "chkPurgeImmediate");
    ASSERT_TRUE(desktop.tree.Exists("dest/old"));
    ASSERT_FALSE(desktop.tree.Exists("m/old"));
    EXPECT_EQ(Cell(list, 0, 0), "0");
    // The count's picture: fallen, then risen once the file is back.
    const auto picture = [&] {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        ListView_GetItem(list, &item);
        return item.iImage;
    };
    const int fell = picture();
    EXPECT_EQ(Header(list, 0), "Total files 0");
    MessageBoxes::Script({MessageAnswer::Yes});
    MessageBoxes::ClearAsked();
    desktop.Choose("mnuAnnulerPurge");
    EXPECT_EQ(desktop.tree.Read("m/old"), "kept");
    EXPECT_FALSE(desktop.tree.Exists("dest/old"));
    EXPECT_EQ(MessageBoxes::Asked().size(), 2U);  // the question, then what came back
    EXPECT_EQ(Cell(list, 0, 0), "1");
    EXPECT_NE(fell, I_IMAGENONE);
    EXPECT_NE(picture(), I_IMAGENONE);
    EXPECT_NE(picture(), fell);
    EXPECT_EQ(Header(list, 0), "Total files 1");

    HMENU bar = GetMenu(window);
    const UINT shortPaths = desktop.program->Window()->Menus().CommandOf("mnuUseShortPathnames");
    desktop.Choose("mnuUseShortPathnames");
    EXPECT_NE(GetMenuState(bar, shortPaths, MF_BYCOMMAND) & MF_CHECKED, 0U);
    EXPECT_NE(desktop.dir.Read("Quellix.ini").find("UseShortPathnames=1"), std::string::npos);
    desktop.Choose("mnuUseShortPathnames");
    EXPECT_EQ(GetMenuState(bar, shortPaths, MF_BYCOMMAND) & MF_CHECKED, 0U);

    // Minimized, the window goes to the tray; without a notification area it stays on the task
    // bar.
    ShowWindow(window, SW_MINIMIZE);
    HandlePosted();
    EXPECT_FALSE(IsWindowVisible(window));
    SendMessageW(window, kTrayMessage, 1, WM_LBUTTONUP);
    ASSERT_TRUE(IsWindowVisible(window));
    desktop.Tray().available = false;
    ShowWindow(window, SW_MINIMIZE);
    HandlePosted();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(IsIconic(window));
    MessageBoxes::StopScripting();

    // In French, from its loading window on.
    Desktop automatic(
        "[Purge]\r\nDemarrageAutomatiqueLancement=1\r\nLangue=1\r\n[Paths]\r\nNbPaths=1\r\n" +
        Entry(1, "a", "48", "non", "Effacer"));
    automatic.tree.Folder("a");
    ASSERT_EQ(automatic.program->Start(), StartupOutcome::Running);
    LoadingWindow& loading = *automatic.program->Front().Loading();
    EXPECT_EQ(quellix::TextOf(loading.Message()), "Chargement des dossiers en cours");
    EXPECT_EQ(quellix::TextOf(loading.Counter()), "1/1");
    EXPECT_FALSE(IsWindowVisible(automatic.Window()));
    EXPECT_TRUE(automatic.Tray().shown);
    EXPECT_FALSE(Enabled(automatic.Window(), "cmdDemarrer"));
}

// Preview purge... lists what a purge would do and changes nothing; a header sorts, Escape
// closes (through the program's loop); the context menu's item previews the selected row alone.
TEST(MainWindowWin32, PreviewOfThePurge) {
    Desktop desktop("[Paths]\r\nNbPaths=2\r\n" + Entry(1, "a", "48", "oui [D]", "Effacer") +
                    Entry(2, "b", "25", "non", "Corbeille"));
    desktop.tree.File("a/old", kLongAgo, "12345");
    desktop.tree.File("a/sub/older", kLongAgo, "1");
    desktop.tree.File("b/old", kLongAgo, "123");
    ASSERT_EQ(desktop.program->Start(), StartupOutcome::Running);
    HWND window = desktop.Window();

    desktop.Choose("mnuApercuPurge");
    HWND preview = FindWindowW(L"#32770", L"Preview of the purge - Quellix");
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(IsWindowVisible(preview));
    EXPECT_EQ(GetWindow(preview, GW_OWNER), window);
    HWND list = Named(preview, "lstApercu");
    const auto rows = [&] {
        std::vector<std::string> shown;
        for (int row = 0; row < ListView_GetItemCount(list); ++row) {
            shown.push_back(Cell(list, row, 0) + " | " + Cell(list, row, 2));
        }
        return shown;
    };
    EXPECT_EQ(rows(), (std::vector<std::string>{" | ", " | ", "Delete | 5 bytes", "Delete | 1 byte",
                                                "Remove the empty subfolder | ", " | ", " | ",
                                                "Move to the Recycle Bin | 3 bytes"}));
    // Each entry's heading: its path, then its totals.
    EXPECT_EQ(Cell(list, 0, 1), desktop.tree.Root() + "/a/");
    EXPECT_EQ(Cell(list, 1, 1),
              "2 files (6 bytes), 1 empty subfolder; 0 files in use, 0 left otherwise");
    EXPECT_TRUE(Cell(list, 2, 1).ends_with("old"));
    EXPECT_EQ(Header(list, 1), "File (or folder)");
    EXPECT_EQ(TextOf(preview, "lblTotaux"),
              "In all: 3 files (9 bytes), 1 empty subfolder; 0 files in use, 0 left otherwise");
    EXPECT_TRUE(desktop.tree.Exists("a/old") && desktop.tree.Exists("b/old"));
    SavePictureWhenAsked(preview, "purge_preview_en");

    NMLISTVIEW click{};
    click.hdr = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), LVN_COLUMNCLICK};
    click.iSubItem = 2;
    SendMessageW(preview, WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(Cell(list, 2, 0), "Remove the empty subfolder");
    // Escape as the program's loop hands it on.
    SetFocus(list);
    EXPECT_TRUE(DispatchOneMessage({list, WM_KEYDOWN, VK_ESCAPE, 1, 0, {}}, window));
    EXPECT_FALSE(IsWindowVisible(preview));

    desktop.Choose("mnuFrancais");
    ListView_SetItemState(Named(window, "flexList"), 1, LVIS_FOCUSED | LVIS_SELECTED,
                          LVIS_FOCUSED | LVIS_SELECTED);
    desktop.Choose("mnuApercu");
    EXPECT_TRUE(IsWindowVisible(preview));
    EXPECT_EQ(rows(),
              (std::vector<std::string>{" | ", " | ", "Envoyer dans la Corbeille | 3 octets"}));
    EXPECT_EQ(TextOf(preview, ""), "Aperçu de la purge - Quellix");
    SavePictureWhenAsked(preview, "purge_preview_fr");
    Click(preview, "cmdFermer");
    EXPECT_FALSE(IsWindowVisible(preview));
}

}  // namespace
}  // namespace quellix::test
