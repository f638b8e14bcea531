#include "gui/win32/logview/log_viewer_window.h"

#include <gtest/gtest.h>

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

std::string LogName(int day) {
    return "Log Quellix 2009-05-0" + std::to_string(day) + ".htm";
}

BOOL CALLBACK CollectLabel(HWND child, LPARAM labels) {
    reinterpret_cast<std::vector<HWND>*>(labels)->push_back(child);
    return TRUE;
}

// Every label of the window, dates and hidden column markers, the scroll bar left out.
std::vector<HWND> Labels(HWND window) {
    std::vector<HWND> labels;
    EnumChildWindows(window, CollectLabel, reinterpret_cast<LPARAM>(&labels));
    std::erase(labels, FindNamedControl(window, "VScroll1"));
    return labels;
}

std::vector<HWND> Dates(HWND window) {
    std::vector<HWND> dates = Labels(window);
    std::erase_if(dates, [](HWND label) { return quellix::TextOf(label).empty(); });
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

// The title in the caption font beside the three caption buttons: less would cut it.
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

// One path through the real window: shown at the top right without taking the focus, the newest
// log opened; a click opens another; a right click removes one through the pop-up; the scroll
// bar moves every label; Check Logs brings it back from minimized; closing brings the main
// window back and the next showing lists the folder afresh.
TEST(LogViewerWindowWin32, ShowClickRemoveScrollAndClose) {
    TempDir dir;
    for (const int day : {3, 5, 1, 4, 2}) {
        dir.Write(LogName(day), "<html>");
    }
    const auto file = [&dir](int day) { return platform::JoinPath(dir.Path(), LogName(day)); };
    Settings settings;
    settings.PathLogs = dir.Path();
    std::vector<std::string> opened;
    int minimized = 0;
    int restored = 0;
    LogViewerWindow window(
        settings,
        [&opened](const std::string& path) {
            opened.push_back(path);
            return true;
        },
        {[&minimized] { ++minimized; }, [&restored] { ++restored; }, [] { return true; }});
    MessageBoxes::Script({MessageAnswer::Yes});
    HWND work = CreateWindowExW(0, L"Static", L"work", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(work);

    window.ShowFromMenu();
    HWND viewer = window.Handle();
    ASSERT_TRUE(IsWindowVisible(viewer));
    EXPECT_EQ(GetActiveWindow(), work);
    DestroyWindow(work);
    EXPECT_EQ(TextOf(viewer, ""), "Check Logs - [Back to Quellix: close] ->");
    EXPECT_TRUE(GetWindowLongPtrW(viewer, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT place{};
    GetWindowRect(viewer, &place);
    EXPECT_EQ(place.right, area.right);
    EXPECT_EQ(place.top, area.top);
    EXPECT_GE(place.right - place.left, TitleRoom(viewer));
    SavePictureWhenAsked(viewer, "log-viewer");

    const std::vector<HWND> dates = Dates(viewer);
    ASSERT_EQ(dates.size(), 5U);
    EXPECT_EQ(quellix::TextOf(dates[4]), "2009-05-05");
    EXPECT_EQ(PlaceOf(dates[3]).y, PlaceOf(dates[0]).y);
    EXPECT_GT(PlaceOf(dates[3]).x, PlaceOf(dates[2]).x);
    EXPECT_EQ(PlaceOf(dates[4]).x, PlaceOf(dates[0]).x);
    EXPECT_EQ(PlaceOf(dates[4]).y, PlaceOf(dates[0]).y + Scaled(viewer, 24));
    EXPECT_EQ(opened, std::vector<std::string>{file(5)});
    EXPECT_TRUE(ShowsColour(dates[4], RGB(128, 0, 128)));
    EXPECT_TRUE(ShowsColour(dates[0], RGB(0, 0, 255)));
    EXPECT_FALSE(ShowsColour(dates[0], RGB(128, 0, 128)));

    ClickWith(dates[1], WM_LBUTTONDOWN, WM_LBUTTONUP);
    EXPECT_EQ(opened.back(), file(2));
    EXPECT_TRUE(ShowsColour(dates[1], RGB(128, 0, 128)));
    EXPECT_EQ(minimized, 1);

    const POINT fourth = PlaceOf(dates[3]);
    ModalDriver()
        .Then([](HWND popup) {
            auto* menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
            wchar_t item[64] = {};
            GetMenuStringW(menu, 0, item, 64, MF_BYPOSITION);
            EXPECT_EQ(platform::win32::Narrow(item), "Remove Log '2009-05-03'");
            PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
        })
        .Run([&] { ClickWith(dates[2], WM_RBUTTONDOWN, WM_RBUTTONUP); });
    EXPECT_EQ(MessageBoxes::Asked().size(), 1U);
    EXPECT_FALSE(dir.Exists(LogName(3)));
    EXPECT_TRUE(dir.Exists(LogName(4)));
    EXPECT_FALSE(IsWindowVisible(dates[2]));
    EXPECT_TRUE(IsWindowVisible(dates[3]));
    EXPECT_EQ(PlaceOf(dates[3]).x, fourth.x);

    // One step down: every label up by 10 pixels, the hidden ones still hidden.
    const std::vector<HWND> labels = Labels(viewer);
    ASSERT_EQ(labels.size(), 5U + 3U);
    std::vector<POINT> before;
    for (HWND label : labels) {
        before.push_back(PlaceOf(label));
    }
    HWND scroll = Named(viewer, "VScroll1");
    SendMessageW(viewer, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(scroll));
    EXPECT_EQ(GetScrollPos(scroll, SB_CTL), 10);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(PlaceOf(labels[i]).y, before[i].y - Scaled(viewer, 10));
    }
    EXPECT_EQ(std::count_if(labels.begin(), labels.end(), IsWindowVisible), 4);

    ShowWindow(viewer, SW_SHOWMINNOACTIVE);
    window.ShowFromMenu();
    EXPECT_FALSE(IsIconic(viewer));
    EXPECT_EQ(minimized, 2);
    EXPECT_EQ(Labels(viewer), labels);

    SendMessageW(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(restored, 1);
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
    dir.Write(LogName(6), "<html>");
    window.ShowFromMenu();
    EXPECT_EQ(Dates(window.Handle()).size(), 5U);
    EXPECT_EQ(opened.back(), file(6));
    EXPECT_EQ(GetScrollPos(Named(window.Handle(), "VScroll1"), SB_CTL), 0);

    // In French, the title and the pop-up follow; Escape leaves the menu.
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    settings.Langue = 1;
    window.ShowFromMenu();
    viewer = window.Handle();
    EXPECT_EQ(TextOf(viewer, ""), "Voir les journaux - [Retour à Quellix] ->");
    const std::vector<HWND> french = Dates(viewer);
    ASSERT_FALSE(french.empty());
    ModalDriver()
        .Then([](HWND popup) {
            auto* menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
            wchar_t item[64] = {};
            GetMenuStringW(menu, 0, item, 64, MF_BYPOSITION);
            EXPECT_EQ(platform::win32::Narrow(item).rfind("Effacer le journal '", 0), 0U);
            PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        })
        .Run([&] { ClickWith(french[0], WM_RBUTTONDOWN, WM_RBUTTONUP); });
    EXPECT_EQ(Dates(viewer).size(), french.size());
    MessageBoxes::StopScripting();
}

}  // namespace
}  // namespace quellix::test
