// Starts the real quellix.exe on a sample list and photographs its windows from the screen: the
// desktop with the tray icon, the main window and three dialogs, in English and in French. Runs
// on a display (Wine's X11 driver in a virtual desktop, see scripts/windows-screenshots.sh); ends
// with 1 when a window did not appear, so it doubles as a smoke run of the program.
// Usage: windows_screenshot_tour QUELLIX_EXE OUTPUT_FOLDER

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "gui/win32/mainwindow/menu_set.h"
#include "platform/win32/wide_text.h"
#include "support/file_tree.h"
#include "support/temp_dir.h"
#include "support/win32/window_picture.h"

namespace quellix::test {
namespace {

constexpr std::int64_t kLongAgo = 1'000'000'000;

std::string Entry(int number, const std::string& folder, const std::string& retention,
                  const std::string& subfolders, const std::string& actionKey) {
    const std::string n = std::to_string(number);
    std::string entry = "Path" + n + "=@\\" + folder + "\\\r\nRetentionPath" + n + "=" + retention +
                        "\r\nSousDossiers" + n + "=" + subfolders + "\r\nDate" + n + "=M\r\n";
    if (!actionKey.empty()) {
        entry += actionKey + n + "=oui\r\n";
    }
    return entry;
}

// Waits up to a few seconds for a condition, letting the program under test work.
bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 200; ++i) {
        if (condition()) {
            return true;
        }
        Sleep(50);
    }
    return false;
}

struct Found {
    DWORD thread;
    const wchar_t* className;
    HWND window;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM found) {
    auto& search = *reinterpret_cast<Found*>(found);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (IsWindowVisible(window) && lstrcmpW(name, search.className) == 0) {
        search.window = window;
        return FALSE;
    }
    return TRUE;
}

HWND ShownWindow(DWORD thread, const wchar_t* className) {
    Found search{thread, className, nullptr};
    EnumThreadWindows(thread, MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.window;
}

RECT Frame(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    return area;
}

class Tour {
  public:
    Tour(HWND main, DWORD thread, std::string folder)
        : main_(main), thread_(thread), folder_(std::move(folder)) {}

    void Shoot(const RECT& area, const std::string& name) {
        Sleep(400);  // the window's paint after its last change
        if (!SaveScreenPicture(area, folder_ + "\\" + name + ".bmp")) {
            Fail("cannot photograph " + name);
        }
    }

    // Opens a dialog through its menu item, photographs it and cancels it.
    void Dialog(std::string_view item, const std::string& name) {
        PostMessageW(main_, WM_COMMAND, MenuSet::CommandFor(item), 0);
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = ShownWindow(thread_, L"#32770")) != nullptr; })) {
            Fail("no dialog for " + std::string(item));
            return;
        }
        Shoot(Frame(dialog), name);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        if (!WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); })) {
            Fail(std::string(item) + " did not close");
        }
    }

    void Choose(std::string_view item) {
        SendMessageW(main_, WM_COMMAND, MenuSet::CommandFor(item), 0);
    }

    void Fail(const std::string& why) {
        std::fprintf(stderr, "screenshot tour: %s\n", why.c_str());
        failed_ = true;
    }
    bool Failed() const { return failed_; }

  private:
    HWND main_;
    DWORD thread_;
    std::string folder_;
    bool failed_ = false;
};

int Run(const std::string& exe, const std::string& output) {
    TempDir dir;
    FileTree tree;
    std::string ini =
        "[Purge]\r\nLangue=0\r\nHeure=03:30\r\nJours=23456\r\nNbDernierePurge=1284\r\n"
        "NbDernierePurgeDossiers=17\r\nNbLocked=2\r\n"
        "DateDernierePurge=07 December 2026 - 03:30:12\r\n[Paths]\r\nNbPaths=4\r\n" +
        Entry(1, "Downloads", "720", "oui [D]", "Corbeille") +
        Entry(2, "cache", "48", "oui [D] [RO]", "Effacer") + Entry(3, "scans", "168", "non", "") +
        "AutreDossier3=@\\archive\\\r\n" + Entry(4, "old-share", "24", "non", "Effacer");
    for (std::size_t at = ini.find('@'); at != std::string::npos; at = ini.find('@')) {
        std::string root = tree.Root();
        for (char& c : root) {
            c = c == '/' ? '\\' : c;
        }
        ini.replace(at, 1, root);
    }
    for (int i = 0; i < 12; ++i) {
        tree.File("Downloads/file" + std::to_string(i), kLongAgo);
    }
    for (int i = 0; i < 40; ++i) {
        tree.File("cache/sub/entry" + std::to_string(i), kLongAgo);
    }
    tree.File("scans/page1.pdf", kLongAgo);
    tree.Folder("archive");
    dir.Write("Quellix.ini", ini);
    const std::wstring copy = platform::win32::Widen(dir.File("quellix.exe"));
    if (!CopyFileW(platform::win32::Widen(exe).c_str(), copy.c_str(), FALSE)) {
        std::fprintf(stderr, "screenshot tour: cannot copy %s\n", exe.c_str());
        return 1;
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + copy + L"\"";
    if (!CreateProcessW(copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "screenshot tour: cannot start quellix.exe\n");
        return 1;
    }
    HWND main = nullptr;
    WaitForInputIdle(process.hProcess, 10000);
    const bool shown = WaitFor([&] {
        main = FindWindowW(L"QuellixMainWindow", nullptr);
        return main != nullptr && IsWindowVisible(main);
    });
    int code = 0;
    if (!shown) {
        std::fprintf(stderr, "screenshot tour: the main window did not appear\n");
        code = 1;
    } else {
        const DWORD thread = GetWindowThreadProcessId(main, nullptr);
        Tour tour(main, thread, output);
        RECT desktop{};
        GetWindowRect(GetDesktopWindow(), &desktop);
        for (const char* language : {"en", "fr"}) {
            // Either item switches the language: English first, as the file says.
            if (language != std::string("en")) {
                tour.Choose("mnuFrancais");
            }
            // The normal size of the README's pictures, not the whole screen.
            ShowWindow(main, SW_RESTORE);
            SetWindowPos(main, nullptr, 20, 20, 980, 320, SWP_NOZORDER);
            const std::string suffix = std::string("-") + language;
            tour.Shoot(desktop, "windows-desktop" + suffix);
            tour.Shoot(Frame(main), "windows-main-window" + suffix);
            tour.Dialog("mnuModifierHeure", "windows-purge-time" + suffix);
            tour.Dialog("mnuConfigurationAjouterApres", "windows-folder-editor" + suffix);
            tour.Dialog("mnuService", "windows-service" + suffix);
        }
        code = tour.Failed() ? 1 : 0;
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code;
}

}  // namespace
}  // namespace quellix::test

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: windows_screenshot_tour QUELLIX_EXE OUTPUT_FOLDER\n");
        return 2;
    }
    return quellix::test::Run(argv[1], argv[2]);
}
