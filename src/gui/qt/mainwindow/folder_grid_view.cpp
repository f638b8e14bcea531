#include "gui/qt/mainwindow/folder_grid_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionHeader>
#include <algorithm>

#include "gui/qt/common/qt_text.h"

namespace quellix {

FolderGridView::FolderGridView(QWidget* parent) : QTableView(parent) {
    setObjectName("flexList");
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the grid for Start and Stop; the arrows move inside it.
    setTabKeyNavigation(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    // The column widths add up to the grid's width: a frame would push the last one out.
    setFrameShape(QFrame::NoFrame);
    setTextElideMode(Qt::ElideMiddle);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // A click on the header row is a click on no folder: nothing stays highlighted.
    connect(horizontalHeader(), &QHeaderView::sectionPressed, this, [this](int) {
        clearSelection();
        setCurrentIndex({});
    });
    horizontalHeader()->setSectionsClickable(true);
}

int FolderGridView::CurrentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

int FolderGridView::NeededWidth(const NarrowColumnTexts& texts, bool trendPicture) const {
    // Measured as the header measures its sections: in bold, whatever font they show.
    QStyleOptionHeader option;
    option.initFrom(horizontalHeader());
    QFont bold = horizontalHeader()->font();
    bold.setBold(true);
    option.fontMetrics = QFontMetrics(bold);
    int width = 0;
    for (const std::string& header : texts.headers) {
        option.text = ToQString(header);
        width = std::max(width, style()
                                    ->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(),
                                                       horizontalHeader())
                                    .width());
    }
    // The item delegate's text margin on each side, and the trend picture before the count.
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const int picture = trendPicture ? iconSize().width() + margin : 0;
    for (const std::string& cell : texts.cells) {
        width =
            std::max(width, fontMetrics().horizontalAdvance(ToQString(cell)) + margin + picture);
    }
    return width;
}

void FolderGridView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) {
        emit DeletePressed();
        setFocus();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void FolderGridView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    // The selection always comes back to the one current row.
    const QModelIndex current = currentIndex();
    if (current.isValid()) {
        selectRow(current.row());
    }
}

void FolderGridView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) {
        emit RowDoubleClicked(index.row());
    }
}

void FolderGridView::contextMenuEvent(QContextMenuEvent* event) {
    const QModelIndex index = indexAt(event->pos());
    if (index.isValid()) {
        setCurrentIndex(index);
    }
    emit ContextMenuAsked(event->globalPos());
    event->accept();
}

}  // namespace quellix
