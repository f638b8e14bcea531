#pragma once

#include <QTableView>

#include "core/mainwindow/captions.h"

namespace quellix {

// The folder grid: a table view that reports the keys and clicks the main window acts on.
class FolderGridView final : public QTableView {
    Q_OBJECT

  public:
    explicit FolderGridView(QWidget* parent);

    // 0-based data row of the current cell, or -1 when none is current.
    int CurrentRow() const;
    // Width that shows every one of a narrow column's texts whole.
    int NeededWidth(const NarrowColumnTexts& texts, bool trendPicture) const;
    // What the cells shown now need, as the view measures them.
    using QTableView::sizeHintForColumn;

  signals:
    void DeletePressed();
    void RowDoubleClicked(int row);
    void ContextMenuAsked(const QPoint& globalPosition);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

}  // namespace quellix
