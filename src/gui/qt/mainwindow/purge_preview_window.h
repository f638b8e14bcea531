#pragma once

#include <QDialog>

#include "core/common/settings.h"
#include "core/mainwindow/purge_preview_presenter.h"
#include "gui/qt/common/widget_view_of.h"

class QLabel;
class QTreeWidget;

namespace quellix {

// The preview window frmApercuPurge: what a purge would do now, entry by entry, not modal.
class PurgePreviewWindow final : public QDialog {
    Q_OBJECT

  public:
    PurgePreviewWindow(const Settings& settings, QWidget* parent);

    // A new preview replaces the one shown; the window comes forward.
    void ShowPreview(const PurgePreview& preview) { presenter_.Show(preview); }
    QTreeWidget* List() const { return list_; }

    void reject() override;

  private:
    class View final : public WidgetViewOf<PurgePreviewView> {
      public:
        explicit View(PurgePreviewWindow& window) : WidgetViewOf(window), window_(window) {}
        void ShowTable(const PreviewCells& headers,
                       const std::vector<PreviewGroup>& groups) override;
        void ShowSortMark(std::optional<PreviewColumn> column, bool ascending) override;
        void ShowInFront() override;

      private:
        PurgePreviewWindow& window_;
    };

    void BuildControls();
    void SizeColumns();

    QTreeWidget* list_ = nullptr;
    QLabel* totals_ = nullptr;
    View view_{*this};
    PurgePreviewPresenter presenter_;
};

}  // namespace quellix
