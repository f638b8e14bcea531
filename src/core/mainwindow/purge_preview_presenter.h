#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/common/dialog_view.h"
#include "core/common/settings.h"
#include "core/mainwindow/purge_preview_rows.h"

namespace quellix {

// The preview window: a list of outcomes grouped by entry, a totals label ("lblTotaux") and a
// Close button ("cmdFermer"), not modal.
class PurgePreviewView : public virtual DialogView {
  public:
    // Replaces the whole list: the column headers, then each entry's heading and its rows.
    virtual void ShowTable(const PreviewCells& headers,
                           const std::vector<PreviewGroup>& groups) = 0;
    // The header's sort mark; none while the rows are in the walk's order.
    virtual void ShowSortMark(std::optional<PreviewColumn> column, bool ascending) = 0;
    // Shown, in front, and focused.
    virtual void ShowInFront() = 0;
};

// What a purge would do now, as the window lists it: composed in the program's language when
// shown, sorted by the header clicked last within each entry, entries in list order.
class PurgePreviewPresenter {
  public:
    static constexpr std::string_view kWindow = "frmApercuPurge";
    static constexpr std::string_view kTotals = "lblTotaux";
    static constexpr std::string_view kClose = "cmdFermer";

    PurgePreviewPresenter(PurgePreviewView& view, const Settings& settings);

    // A new preview replaces the one shown, in the walk's order.
    void Show(const PurgePreview& preview);
    // The same column again turns the order round.
    void OnHeaderClicked(PreviewColumn column);
    void OnClose();

  private:
    void ShowRows();

    PurgePreviewView& view_;
    const Settings& settings_;
    PreviewTable table_;
    std::optional<PreviewColumn> sortColumn_;
    bool ascending_ = true;
};

}  // namespace quellix
