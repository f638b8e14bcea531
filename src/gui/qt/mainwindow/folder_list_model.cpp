#include "gui/qt/mainwindow/folder_list_model.h"

#include <QColor>
#include <QFont>

#include "core/mainwindow/captions.h"
#include "core/mainwindow/main_window_rules.h"

namespace quellix {

namespace {

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

// Paths read from the left; counts, retentions and flags are centred.
bool IsLeftAligned(int column) {
    return column == kPathColumn || column == kActionColumn;
}

}  // namespace

FolderListModel::FolderListModel(const FolderList& folders, const Settings& settings,
                                 QObject* parent)
    : QAbstractTableModel(parent),
      folders_(folders),
      settings_(settings),
      shownRows_(static_cast<int>(folders.Size())),
      rise_(":/icons/rise.svg"),
      fall_(":/icons/fall.svg") {}

int FolderListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int FolderListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kFolderColumnCount);
}

QVariant FolderListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(folders_.Size())) {
        return {};
    }
    const FolderEntry& entry = folders_.Entries()[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<FolderColumn>(index.column());
    const FolderCell cell = ComposeCell(entry, column, settings_.language());
    const CellStyle& style = cell.style;
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(cell.text);
        case Qt::ToolTipRole: {
            const std::string tip = CellTooltip(entry, column, settings_.language());
            return tip.empty() ? QVariant() : QVariant(ToQString(tip));
        }
        case Qt::FontRole:
            if (style.bold) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        case Qt::ForegroundRole:
            return style.textColour ? QVariant(ToQColor(*style.textColour)) : QVariant();
        case Qt::BackgroundRole:
            return style.background ? QVariant(ToQColor(*style.background)) : QVariant();
        case Qt::DecorationRole:
            if (style.trend == CountTrend::Rise) {
                return rise_;
            }
            if (style.trend == CountTrend::Fall) {
                return fall_;
            }
            return {};
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(
                Qt::AlignVCenter |
                (IsLeftAligned(index.column()) ? Qt::AlignLeft : Qt::AlignHCenter));
        default:
            return {};
    }
}

QVariant FolderListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(kFolderColumnCount)) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(FolderHeaderTexts(
                folders_, settings_.language())[static_cast<std::size_t>(section)]);
        case Qt::FontRole:
            if (section == kPathColumn) {
                QFont font;
                font.setBold(true);
                font.setPointSizeF(10);
                return font;
            }
            return {};
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignCenter);
        default:
            return {};
    }
}

void FolderListModel::Refresh() {
    const int rows = static_cast<int>(folders_.Size());
    if (rows != shownRows_) {
        beginResetModel();
        shownRows_ = rows;
        endResetModel();
    } else if (rows > 0) {
        emit dataChanged(index(0, 0), index(rows - 1, static_cast<int>(kFolderColumnCount) - 1));
    }
    emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(kFolderColumnCount) - 1);
}

}  // namespace quellix
