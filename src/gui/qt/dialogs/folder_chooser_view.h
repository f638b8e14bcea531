#pragma once

#include <QAbstractFileIconProvider>
#include <QComboBox>
#include <QFileSystemModel>
#include <QTreeView>
#include <QWidget>
#include <memory>
#include <vector>

#include "core/dialogs/folder_choice_rules.h"

namespace quellix {

class VolumeTreeFilter;

// The drive list ("drvList": the mounted volumes) over the folder list ("dirList": the folder
// tree of the chosen volume). The folder list always has a current folder; it starts at the
// process's current folder.
class FolderChooserView final : public QWidget {
    Q_OBJECT

  public:
    explicit FolderChooserView(QWidget* parent);
    ~FolderChooserView() override;

    // The folder list's current folder, ending in "/".
    QString Path() const;
    // Positions both lists on path; false, with nothing changed, when path is not an existing
    // folder.
    bool SetPath(const QString& path);
    // The drive list, for the label that names it.
    QComboBox* DriveList() const;

    // Replaces the mounted volumes with these (tests offer folders as volumes) and shows the
    // current folder again among them.
    void SetVolumes(std::vector<Volume> volumes);

  signals:
    void PathChanged(const QString& pathWithSlash);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ChooseVolume(int index);
    void ShowVolume(int index);
    void FolderEntered(const QModelIndex& current);
    void KeepInSight();
    QModelIndex IndexOf(const QString& folder) const;

    QComboBox* drvList_;
    QTreeView* dirList_;
    // The model holds it without owning it: the destructor ends the model first.
    std::unique_ptr<QAbstractFileIconProvider> icons_;
    QFileSystemModel* model_;
    VolumeTreeFilter* filter_;
    std::vector<Volume> volumes_;
    int shown_ = -2;              // the volume whose tree the folder list shows; -1: none holds it
    QString current_;             // clean, without the trailing "/" ("/" for the root)
    bool scrollPending_ = false;  // keep the current folder at the top while rows arrive
    bool positioning_ = false;
};

}  // namespace quellix
