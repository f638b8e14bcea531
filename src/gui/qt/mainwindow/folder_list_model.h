#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include "core/common/folder_list.h"
#include "core/common/settings.h"
#include "gui/qt/common/qt_colour.h"

namespace quellix {

// The folder grid's model: a view of the core folder list, never a copy of its rows.
class FolderListModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    FolderListModel(const FolderList& folders, const Settings& settings, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The list changed: a new row count resets the model, otherwise every cell and header is
    // announced as changed, which keeps the current row.
    void Refresh();
    const FolderList& Folders() const { return folders_; }

  private:
    const FolderList& folders_;
    const Settings& settings_;
    int shownRows_ = 0;
    QIcon rise_;
    QIcon fall_;
};

}  // namespace quellix
