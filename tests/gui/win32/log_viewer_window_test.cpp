#include "gui/win32/logview/log_viewer_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/win32/common/message_box.h"
#include "gui/win32/common/system_font.h"
#include "platform/path_text.h"
#include "platform/win32/wide_text.h"
#include "support/temp_dir.h"
#include "support/win32/modal_driver.h"
#include "support/win32/window_picture.h"

namespace quellix::test {
namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kPurple = RGB(128, 0, 128);

std::string LogName(int day) {
    return "Log Quellix 2009-05-0" + std::to_string(day) + ".htm";
}

BOOL CALLBACK CollectLabel(HWND child, LPARAM labels) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (lstrcmpiW(className, L"Static") == 0) {
        reinterpret_cast<std::vector<HWND>*>(labels)->push_back(child);
    }
    return TRUE;
}

// Every label of the window, the dates and the hidden column markers.
std::vector<HWND> Labels(HWND window) {
    std::vector<HWND> labels;
    EnumChildWindows(window, CollectLabel, reinterpret_cast<LPARAM>(&labels));
    return labels;
}

// The labels that show a date, in the order of the window's children.
std::vector<HWND> Dates(HWND window) {
    std::vector<HWND> dates;
    for (HWND label : Labels(window)) {
        if (quellix::TextOf(label).starts_with("2009-")) {
            dates.push_back(label);
        }
    }
    return dates;
}

POINT PlaceOf(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return {place.left, place.top};
}

void ClickWith(HWND control, UINT down, UINT up) {
    SendMessageW(control, down, 0, MAKELPARAM(2, 2));
    SendMessageW(control, up, 0, MAKELPARAM(2, 2));
}

// The title's text in the caption font and the three caption buttons: less room would cut it.
int TitleRoom(HWND window) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font);
    const std::wstring title = platform::win32::Widen(quellix::TextOf(window));
    SIZE size{};
    GetTextExtentPoint32W(dc, title.c_str(), static_cast<int>(title.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    DeleteObject(font);
    return size.cx + 3 * metrics.iCaptionWidth;
}

// A viewer on a folder of logs, its openings and what it did to the main window recorded.
struct Viewer {
    explicit Viewer(std::initializer_list<int> days) {
        settings.PathLogs = dir.Path();
        settings.ProgramTitle = "Quellix 2.4.19";
        for (const int day : days) {
            dir.Write(LogName(day), "<html>");
        }
        window = std::make_unique<LogViewerWindow>(
            settings,
            [this](const std::string& path) {
                opened.push_back(path);
                return true;
            },
            LogViewerMainWindow{[this] { ++minimized; }, [this] { ++restored; },
                                [] { return true; }});
    }

    // As the viewer names it to the browser.
    std::string File(const std::string& name) const { return platform::JoinPath(dir.Path(), name); }

    TempDir dir;
    Settings settings;
    std::vector<std::string> opened;
    int minimized = 0;
    int restored = 0;
    std::unique_ptr<LogViewerWindow> window;
};

// The window the user works in while the viewer comes up.
struct WorkWindow {
    WorkWindow()
        : handle(CreateWindowExW(0, L"Static", L"work", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {
        SetForegroundWindow(handle);
        SetActiveWindow(handle);
    }
    ~WorkWindow() { DestroyWindow(handle); }
    HWND handle;
};

// One path through the real window: shown at the top right without the focus, the newest log
// opened; a click opens another; a right click removes one through the pop-up; the scroll bar
// moves every label; closing brings the main window back and the next showing lists afresh.
TEST(LogViewerWindowWin32, ShowClickRemoveScrollAndClose) {
    MessageBoxes::Script({MessageAnswer::Yes});
    Viewer v({3, 5, 1, 4, 2});
    WorkWindow work;
    ASSERT_EQ(GetActiveWindow(), work.handle);

    v.window->ShowFromMenu();
    HWND viewer = v.window->Handle();
    ASSERT_TRUE(IsWindowVisible(viewer));
    EXPECT_EQ(GetActiveWindow(), work.handle);
    EXPECT_EQ(TextOf(viewer, ""), "Check Logs - [Back to Quellix: close] ->");
    EXPECT_TRUE(GetWindowLongPtrW(viewer, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT place{};
    GetWindowRect(viewer, &place);
    EXPECT_EQ(place.right, area.right);
    EXPECT_EQ(place.top, area.top);
    EXPECT_GE(place.right - place.left, TitleRoom(viewer));
    EXPECT_EQ(v.opened, std::vector<std::string>{v.File(LogName(5))});
    SavePictureWhenAsked(viewer, "log-viewer");

    std::vector<HWND> dates = Dates(viewer);
    ASSERT_EQ(dates.size(), 5U);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(quellix::TextOf(dates[i]), "2009-05-0" + std::to_string(i + 1));
    }
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(PlaceOf(dates[i]).y, PlaceOf(dates[0]).y);
        EXPECT_GT(PlaceOf(dates[i]).x, PlaceOf(dates[i - 1]).x);
    }
    EXPECT_EQ(PlaceOf(dates[4]).x, PlaceOf(dates[0]).x);
    EXPECT_EQ(PlaceOf(dates[4]).y, PlaceOf(dates[0]).y + Scaled(viewer, 24));
    EXPECT_TRUE(ShowsColour(dates[4], kPurple));
    EXPECT_TRUE(ShowsColour(dates[0], kBlue));
    EXPECT_FALSE(ShowsColour(dates[0], kPurple));

    ClickWith(dates[1], WM_LBUTTONDOWN, WM_LBUTTONUP);
    EXPECT_EQ(v.opened.back(), v.File(LogName(2)));
    EXPECT_TRUE(ShowsColour(dates[1], kPurple));
    EXPECT_EQ(v.minimized, 1);

    std::vector<POINT> places;
    for (HWND date : dates) {
        places.push_back(PlaceOf(date));
    }
    ModalDriver()
        .Then([](HWND popup) {
            auto* menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
            wchar_t item[64] = {};
            GetMenuStringW(menu, 0, item, 64, MF_BYPOSITION);
            EXPECT_EQ(platform::win32::Narrow(item), "Remove Log '2009-05-03'");
            GetMenuStringW(menu, 1, item, 64, MF_BYPOSITION);
            EXPECT_EQ(platform::win32::Narrow(item), "Cancel");
            PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
        })
        .Run([&] { ClickWith(dates[2], WM_RBUTTONDOWN, WM_RBUTTONUP); });
    ASSERT_EQ(MessageBoxes::Asked().size(), 1U);
    EXPECT_EQ(MessageBoxes::Asked().back().text, "Remove Log '2009-05-03'");
    EXPECT_FALSE(v.dir.Exists(LogName(3)));
    EXPECT_FALSE(IsWindowVisible(dates[2]));
    for (int i : {0, 1, 3, 4}) {
        EXPECT_TRUE(IsWindowVisible(dates[i]));
        EXPECT_EQ(PlaceOf(dates[i]).y, places[i].y);
        EXPECT_TRUE(v.dir.Exists(LogName(i + 1)));
    }

    // One step down the scroll bar: every label up by 10 pixels, the hidden ones still hidden.
    const std::vector<HWND> labels = Labels(viewer);
    ASSERT_EQ(labels.size(), 5U + 3U);
    std::vector<POINT> before;
    std::vector<bool> shown;
    for (HWND label : labels) {
        before.push_back(PlaceOf(label));
        shown.push_back(IsWindowVisible(label) != FALSE);
    }
    HWND scroll = Named(viewer, "VScroll1");
    SendMessageW(viewer, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(scroll));
    EXPECT_EQ(GetScrollPos(scroll, SB_CTL), 10);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(PlaceOf(labels[i]).y, before[i].y - Scaled(viewer, 10));
        EXPECT_EQ(IsWindowVisible(labels[i]) != FALSE, shown[i]);
    }

    SendMessageW(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(v.restored, 1);
    EXPECT_FALSE(IsWindowVisible(v.window->Handle()));
    v.dir.Write(LogName(6), "<html>");
    v.window->ShowFromMenu();
    EXPECT_EQ(Dates(v.window->Handle()).size(), 5U);
    EXPECT_EQ(v.opened.back(), v.File(LogName(6)));
    EXPECT_EQ(GetScrollPos(Named(v.window->Handle(), "VScroll1"), SB_CTL), 0);
    MessageBoxes::StopScripting();
}

}  // namespace
}  // namespace quellix::test
