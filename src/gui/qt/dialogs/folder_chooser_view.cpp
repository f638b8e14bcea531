#include "gui/qt/dialogs/folder_chooser_view.h"

#include <QAbstractFileIconProvider>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QVBoxLayout>
#include <utility>

namespace quellix {
namespace {

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string ToPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

bool CanRead(const Volume& volume) {
    const QString root = FromPath(volume.rootPath);
    return volume.ready && QFileInfo(root).isDir() && QDir(root).isReadable();
}

// The folder list lists folders only, yet the model learns of every entry; a file's icon and
// type would be found by reading its first bytes, which sets its access time and so stops
// purges by access date. Every entry gets the folder icon from its name and stat alone.
class FolderOnlyIcons final : public QAbstractFileIconProvider {
  public:
    explicit FolderOnlyIcons(QIcon folder) : folder_(std::move(folder)) {}

    QIcon icon(IconType type) const override {
        return type == Folder ? folder_ : QAbstractFileIconProvider::icon(type);
    }
    QIcon icon(const QFileInfo&) const override { return folder_; }
    QString type(const QFileInfo& info) const override {
        return info.isDir() ? QStringLiteral("Folder") : QStringLiteral("File");
    }

  private:
    QIcon folder_;
};

}  // namespace

// Keeps, of the whole file system, the chosen volume's root, its parents (so the root has a row
// to show) and everything below it.
class VolumeTreeFilter final : public QSortFilterProxyModel {
  public:
    explicit VolumeTreeFilter(QFileSystemModel* model, QObject* parent)
        : QSortFilterProxyModel(parent), model_(model) {
        setSourceModel(model);
    }

    void SetRoot(const QString& root) {
        root_ = ToPath(root);
        invalidateFilter();
    }

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const std::string path = ToPath(model_->filePath(model_->index(row, 0, parent)));
        return IsAtOrBelow(path, root_) || IsAtOrBelow(root_, path);
    }

  private:
    QFileSystemModel* model_;
    std::string root_ = "/";
};

FolderChooserView::~FolderChooserView() {
    dirList_->setModel(nullptr);
    delete filter_;
    delete model_;
}

FolderChooserView::FolderChooserView(QWidget* parent)
    : QWidget(parent),
      drvList_(new QComboBox(this)),
      dirList_(new QTreeView(this)),
      model_(new QFileSystemModel(this)),
      filter_(new VolumeTreeFilter(model_, this)) {
    drvList_->setObjectName("drvList");
    dirList_->setObjectName("dirList");
    drvList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    drvList_->setMinimumContentsLength(24);

    icons_ = std::make_unique<FolderOnlyIcons>(style()->standardIcon(QStyle::SP_DirIcon));
    model_->setIconProvider(icons_.get());
    model_->setOption(QFileSystemModel::DontUseCustomDirectoryIcons);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setReadOnly(true);
    dirList_->setModel(filter_);
    for (int column = 1; column < model_->columnCount(); ++column) {
        dirList_->hideColumn(column);
    }
    dirList_->setHeaderHidden(true);
    dirList_->setSelectionMode(QAbstractItemView::SingleSelection);
    dirList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const QFontMetrics metrics = fontMetrics();
    dirList_->setMinimumSize(metrics.averageCharWidth() * 44, metrics.lineSpacing() * 14);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(drvList_);
    layout->addWidget(dirList_, 1);
    setTabOrder(drvList_, dirList_);
    setFocusProxy(dirList_);

    connect(drvList_, &QComboBox::activated, this, &FolderChooserView::ChooseVolume);
    connect(dirList_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { FolderEntered(current); });
    // Rows still arriving or being sorted push a folder just positioned on out of sight, until
    // the user takes over.
    connect(filter_, &QAbstractItemModel::rowsInserted, this, &FolderChooserView::KeepInSight);
    connect(filter_, &QAbstractItemModel::layoutChanged, this, &FolderChooserView::KeepInSight);
    const auto userTakesOver = [this] {
        if (!positioning_) {
            scrollPending_ = false;
        }
    };
    connect(dirList_->verticalScrollBar(), &QScrollBar::actionTriggered, this, userTakesOver);
    connect(dirList_, &QTreeView::expanded, this, userTakesOver);
    connect(dirList_, &QTreeView::collapsed, this, userTakesOver);

    SetVolumes(UserVolumes(platform::MountedVolumes()));
    if (!SetPath(QDir::currentPath()) && !SetPath(QDir::homePath())) {
        SetPath("/");
    }
}

QString FolderChooserView::Path() const {
    return FromPath(WithTrailingSlash(ToPath(current_)));
}

QComboBox* FolderChooserView::DriveList() const {
    return drvList_;
}

bool FolderChooserView::SetPath(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir()) {
        return false;
    }
    const QString folder = QDir::cleanPath(info.absoluteFilePath());
    const std::optional<std::size_t> volume = VolumeHolding(volumes_, ToPath(folder));
    positioning_ = true;
    ShowVolume(volume ? static_cast<int>(*volume) : -1);
    const QModelIndex index = IndexOf(folder);
    dirList_->setCurrentIndex(index);
    dirList_->expand(index);
    dirList_->scrollTo(index, QAbstractItemView::PositionAtTop);
    positioning_ = false;
    scrollPending_ = true;
    if (folder != current_) {
        current_ = folder;
        emit PathChanged(Path());
    }
    return true;
}

void FolderChooserView::SetVolumes(std::vector<Volume> volumes) {
    volumes_ = std::move(volumes);
    drvList_->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const Volume& volume : volumes_) {
        drvList_->addItem(icon, QString::fromStdString(volume.displayName));
    }
    shown_ = -2;  // re-root the folder list even when the index stays the same
    if (!current_.isEmpty()) {
        SetPath(current_);
    }
}

void FolderChooserView::ChooseVolume(int index) {
    if (index == shown_ || index < 0 || static_cast<std::size_t>(index) >= volumes_.size()) {
        return;
    }
    // A volume that cannot be read leaves the lists where they were, without a word.
    if (!CanRead(volumes_[static_cast<std::size_t>(index)])) {
        drvList_->setCurrentIndex(shown_);
        return;
    }
    SetPath(FromPath(volumes_[static_cast<std::size_t>(index)].rootPath));
}

void FolderChooserView::ShowVolume(int index) {
    drvList_->setCurrentIndex(index);
    if (index == shown_) {
        return;
    }
    shown_ = index;
    const QString root =
        index >= 0 ? QDir::cleanPath(FromPath(volumes_[static_cast<std::size_t>(index)].rootPath))
                   : QString("/");
    model_->setRootPath(root);
    filter_->SetRoot(root);
    const QModelIndex rootRow = IndexOf(root);
    dirList_->setRootIndex(rootRow.parent());
    dirList_->expand(rootRow);
}

void FolderChooserView::FolderEntered(const QModelIndex& current) {
    if (positioning_ || !current.isValid()) {
        return;
    }
    scrollPending_ = false;
    const QString folder = model_->filePath(filter_->mapToSource(current));
    if (folder != current_) {
        current_ = folder;
        emit PathChanged(Path());
    }
}

void FolderChooserView::KeepInSight() {
    if (scrollPending_) {
        dirList_->scrollTo(dirList_->currentIndex(), QAbstractItemView::PositionAtTop);
    }
}

void FolderChooserView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Positioned while hidden, the folder list did not know its height yet.
    dirList_->scrollTo(dirList_->currentIndex(), QAbstractItemView::PositionAtTop);
}

QModelIndex FolderChooserView::IndexOf(const QString& folder) const {
    return filter_->mapFromSource(model_->index(folder));
}

}  // namespace quellix
