#include "core/mainwindow/purge_preview_presenter.h"

#include "core/mainwindow/purge_preview_texts.h"

namespace quellix {

PurgePreviewPresenter::PurgePreviewPresenter(PurgePreviewView& view, const Settings& settings)
    : view_(view), settings_(settings) {}

void PurgePreviewPresenter::Show(const PurgePreview& preview) {
    const Language language = settings_.language();
    table_ = ComposePreviewTable(preview, language);
    sortColumn_.reset();
    ascending_ = true;
    view_.SetText(kWindow, texts::kPreviewTitle.In(language));
    view_.SetText(kClose, texts::kPreviewClose.In(language));
    view_.SetText(kTotals, table_.totals);
    ShowRows();
    view_.ShowInFront();
    view_.SetFocus(kClose);
}

void PurgePreviewPresenter::OnHeaderClicked(PreviewColumn column) {
    ascending_ = sortColumn_ == column ? !ascending_ : true;
    sortColumn_ = column;
    for (PreviewGroup& group : table_.groups) {
        SortPreviewRows(group.rows, column, ascending_);
    }
    ShowRows();
}

void PurgePreviewPresenter::OnClose() {
    view_.Close(false);
}

void PurgePreviewPresenter::ShowRows() {
    view_.ShowTable(table_.headers, table_.groups);
    view_.ShowSortMark(sortColumn_, ascending_);
}

}  // namespace quellix
