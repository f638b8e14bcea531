#include "gui/qt/mainwindow/purge_preview_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/mainwindow/purge_preview_texts.h"
#include "gui/qt/common/qt_text.h"

namespace quellix {

namespace {

constexpr int kFileColumn = static_cast<int>(PreviewColumn::File);
constexpr int kSizeColumn = static_cast<int>(PreviewColumn::Size);
constexpr int kDestinationColumn = static_cast<int>(PreviewColumn::Destination);

// The widest of these texts in either language, with the cell's margins.
int WidthFor(const QFontMetrics& metrics, std::initializer_list<TextPair> texts) {
    int widest = 0;
    for (const TextPair& text : texts) {
        for (const std::string_view words : {text.english, text.french}) {
            widest = std::max(widest, metrics.horizontalAdvance(ToQString(words)));
        }
    }
    return widest + metrics.averageCharWidth() * 3;
}

constexpr int kPathRole = Qt::UserRole;
constexpr int kSummaryRole = Qt::UserRole + 1;

// An entry's heading: its path on a line, cut in the middle when short of room, and its summary
// on the next.
class HeadingDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.parent().isValid() || !index.data(kPathRole).isValid()) {
            return;
        }
        const QFontMetrics metrics(option->font);
        const QStyle* style = option->widget != nullptr ? option->widget->style() : nullptr;
        const int margins =
            style != nullptr ? 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) : 4;
        const int room = std::max(option->rect.width() - margins, 0);
        option->text =
            metrics.elidedText(index.data(kPathRole).toString(), Qt::ElideMiddle, room) +
            QChar::LineSeparator +
            metrics.elidedText(index.data(kSummaryRole).toString(), Qt::ElideRight, room);
    }
};

QTreeWidgetItem* RowItem(const PreviewRow& row) {
    auto* item = new QTreeWidgetItem;
    for (std::size_t column = 0; column < row.cells.size(); ++column) {
        const QString text = ToQString(row.cells[column]);
        const int at = static_cast<int>(column);
        item->setText(at, text);
        // Paths are cut in the middle: the whole of them is in the tip.
        if (!text.isEmpty() && static_cast<int>(column) != kSizeColumn) {
            item->setToolTip(at, text);
        }
    }
    item->setTextAlignment(kSizeColumn, Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

PurgePreviewWindow::PurgePreviewWindow(const Settings& settings, QWidget* parent)
    : QDialog(parent), presenter_(view_, settings) {
    setObjectName(ToQString(PurgePreviewPresenter::kWindow));
    setWindowIcon(QIcon(":/icons/quellix.svg"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    BuildControls();
    resize(1000, 460);
}

void PurgePreviewWindow::BuildControls() {
    list_ = new QTreeWidget(this);
    list_->setObjectName("lstApercu");
    list_->setColumnCount(static_cast<int>(kPreviewColumnCount));
    list_->setRootIsDecorated(true);
    list_->setAllColumnsShowFocus(true);
    list_->setTextElideMode(Qt::ElideMiddle);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setItemDelegateForColumn(0, new HeadingDelegate(list_));
    QHeaderView* header = list_->header();
    header->setSectionsClickable(true);
    header->setStretchLastSection(false);
    connect(header, &QHeaderView::sectionClicked, this,
            [this](int column) { presenter_.OnHeaderClicked(static_cast<PreviewColumn>(column)); });
    SizeColumns();

    totals_ = new QLabel(this);
    totals_->setObjectName(ToQString(PurgePreviewPresenter::kTotals));
    totals_->setWordWrap(true);
    totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* close = new QPushButton(this);
    close->setObjectName(ToQString(PurgePreviewPresenter::kClose));
    close->setDefault(true);
    close->setAutoDefault(true);
    connect(close, &QPushButton::clicked, this, [this] { presenter_.OnClose(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(totals_);
    layout->addLayout(buttons);
    setTabOrder(list_, close);
}

// The short columns as wide as their usual texts in either language (a move names its folder, and
// may be cut short); the file column takes what is left.
void PurgePreviewWindow::SizeColumns() {
    using namespace texts;
    const QFontMetrics metrics = list_->fontMetrics();
    QHeaderView* header = list_->header();
    header->setMinimumSectionSize(metrics.averageCharWidth() * 6);
    // The rows stand one indentation in from their entry's heading.
    // The item's own text margins on each side, and a little air.
    const int margins = 2 * (list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) +
                        metrics.averageCharWidth();
    header->resizeSection(static_cast<int>(PreviewColumn::Action),
                          list_->indentation() + margins +
                              WidthFor(metrics, {kPreviewRecycle, kPreviewRemoveSubfolder}));
    header->resizeSection(kSizeColumn, WidthFor(metrics, {{"1023.9 KB", "1 023 octets"}}));
    header->resizeSection(static_cast<int>(PreviewColumn::Date),
                          WidthFor(metrics, {{"0000-00-00 00:00", "00/00/0000 00:00"}}));
    header->resizeSection(kDestinationColumn, metrics.averageCharWidth() * 30);
    header->setSectionResizeMode(kFileColumn, QHeaderView::Stretch);
}

void PurgePreviewWindow::reject() {
    presenter_.OnClose();
}

void PurgePreviewWindow::View::ShowTable(const PreviewCells& headers,
                                         const std::vector<PreviewGroup>& groups) {
    QTreeWidget* list = window_.list_;
    QStringList labels;
    for (const std::string& header : headers) {
        labels << ToQString(header);
    }
    list->setHeaderLabels(labels);
    list->clear();
    QFont bold = list->font();
    bold.setBold(true);
    for (const PreviewGroup& group : groups) {
        auto* heading = new QTreeWidgetItem(list);
        heading->setText(0, ToQString(group.heading));
        heading->setToolTip(0, ToQString(group.heading));
        heading->setData(0, kPathRole, ToQString(group.path));
        heading->setData(0, kSummaryRole, ToQString(group.summary));
        heading->setFont(0, bold);
        heading->setFirstColumnSpanned(true);
        for (const PreviewRow& row : group.rows) {
            heading->addChild(RowItem(row));
        }
        heading->setExpanded(true);
    }
}

void PurgePreviewWindow::View::ShowSortMark(std::optional<PreviewColumn> column, bool ascending) {
    QHeaderView* header = window_.list_->header();
    header->setSortIndicatorShown(column.has_value());
    if (column) {
        header->setSortIndicator(static_cast<int>(*column),
                                 ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
}

void PurgePreviewWindow::View::ShowInFront() {
    if (window_.isMinimized()) {
        window_.showNormal();
    }
    window_.show();
    window_.raise();
    window_.activateWindow();
}

}  // namespace quellix
