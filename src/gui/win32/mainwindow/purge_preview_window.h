#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/common/settings.h"
#include "core/mainwindow/purge_preview_presenter.h"
#include "gui/win32/common/control_view.h"

namespace quellix {

// The preview window frmApercuPurge: what a purge would do now, entry by entry, in a report
// list, not modal. A dialog without a loop of its own: the program's loop gives it its keys.
class PurgePreviewWindow final : private ControlView, private PurgePreviewView {
  public:
    PurgePreviewWindow(const Settings& settings, HWND owner);
    ~PurgePreviewWindow() override;
    PurgePreviewWindow(const PurgePreviewWindow&) = delete;
    PurgePreviewWindow& operator=(const PurgePreviewWindow&) = delete;

    // A new preview replaces the one shown; the window comes forward.
    void ShowPreview(const PurgePreview& preview) { presenter_.Show(preview); }
    HWND Handle() const { return Window(); }

  private:
    void ShowTable(const PreviewCells& headers, const std::vector<PreviewGroup>& groups) override;
    void ShowSortMark(std::optional<PreviewColumn> column, bool ascending) override;
    void ShowInFront() override;

    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void PlaceControls(int width, int height);
    void AddRow(const std::vector<std::string>& cells, std::string tip);

    HWND list_ = nullptr;
    bool columnsMade_ = false;
    // The whole text of each row's File cell, which the list may cut short.
    std::vector<std::wstring> tips_;
    PurgePreviewPresenter presenter_;
};

}  // namespace quellix
