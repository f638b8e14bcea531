#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

#include "core/common/folder_list.h"
#include "core/common/settings.h"

namespace quellix {

// The folder grid flexList: a report-view list over the folder list, its cells composed on demand
// (a virtual list: 32,767 entries cost nothing to show), coloured and bold as the cell styles say,
// with the rise and fall pictures in the count column and the retention's tooltip.
class FolderGrid {
  public:
    FolderGrid(const FolderList& folders, const Settings& settings);
    ~FolderGrid();
    FolderGrid(const FolderGrid&) = delete;
    FolderGrid& operator=(const FolderGrid&) = delete;

    // Creates the list in parent; rise and fall are the trend pictures (owned by the caller).
    HWND Create(HWND parent, int id, HICON rise, HICON fall);
    HWND Handle() const { return list_; }

    // Rows, cells and headers again from the list.
    void Refresh();
    void SetColumnWidth(std::size_t column, int width);
    // The width a narrow column needs for every text it may show, in either language.
    int NeededWidth(std::size_t column) const;
    // The width a column's header needs.
    int HeaderWidth(std::size_t column) const;
    // The header and every row, which may be taller than the list.
    int ContentHeight() const;
    int CurrentRow() const;
    // Makes a row current and visible, with no highlight.
    void ShowRow(std::size_t row);
    void ClearSelection();

    // The list's notifications; true with *result set when handled.
    bool OnNotify(const NMHDR& header, LRESULT* result);

  private:
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
    void DrawPathCell(const NMLVCUSTOMDRAW& draw, const FolderCell& cell) const;
    void FillCell(NMLVDISPINFOW& info);

    const FolderList& folders_;
    const Settings& settings_;
    HWND list_ = nullptr;
    HIMAGELIST pictures_ = nullptr;
    HFONT bold_ = nullptr;
    HFONT headerFont_ = nullptr;
    // The text handed to the list for the cell it asked last.
    std::wstring cellText_;
};

}  // namespace quellix
