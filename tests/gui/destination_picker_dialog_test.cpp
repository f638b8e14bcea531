#include "dialogs/destination_picker_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <QTreeView>
#include <QtTest>
#include <filesystem>

#include "dialogs/folder_chooser_view.h"
#include "mainwindow/message_box.h"
#include "support/file_tree.h"

namespace quellix::test {
namespace {

QString Q(const std::string& path) {
    return QString::fromStdString(path);
}

// Runs a test with the process's current folder moved into a temporary tree, and back after.
class InFolder {
  public:
    explicit InFolder(const std::string& folder) : saved_(QDir::currentPath()) {
        QDir::setCurrent(Q(folder));
    }
    ~InFolder() { QDir::setCurrent(saved_); }

  private:
    QString saved_;
};

template <typename Widget>
Widget* Child(const QObject& parent, const char* name) {
    auto* widget = parent.findChild<Widget*>(name);
    if (widget == nullptr) {
        qFatal("no control %s", name);
    }
    return widget;
}

// The folder the folder list shows as its current row.
QString TreeCurrent(const FolderChooserView& view) {
    const auto* tree = Child<QTreeView>(view, "dirList");
    const auto* proxy = qobject_cast<const QSortFilterProxyModel*>(tree->model());
    const auto* files = qobject_cast<const QFileSystemModel*>(proxy->sourceModel());
    return files->filePath(proxy->mapToSource(tree->currentIndex()));
}

}  // namespace

class DestinationPickerTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { MessageBoxes::Script({}); }
    void cleanup() {
        MessageBoxes::StopScripting();
        MessageBoxes::ClearAsked();
    }

    // The lists start on the current folder; SetPath moves both lists and reports the folder,
    // refuses what is no folder and leaves everything as it was.
    void ChooserFollowsSetPath() {
        FileTree tree;
        tree.Folder("vol/a/b");
        tree.Folder("other");
        tree.File("vol/file", 0);
        InFolder here(tree.Path("vol/a"));
        FolderChooserView view(nullptr);
        QCOMPARE(view.Path(), QDir::currentPath() + "/");
        view.SetVolumes({{"/", "/", true}, {tree.Path("vol"), "vol", true}});
        auto* drives = Child<QComboBox>(view, "drvList");
        QCOMPARE(drives->count(), 2);
        QCOMPARE(drives->currentIndex(), 1);
        view.show();

        QSignalSpy changes(&view, &FolderChooserView::PathChanged);
        QVERIFY(view.SetPath(Q(tree.Path("vol/a/b/"))));
        QCOMPARE(view.Path(), Q(tree.Path("vol/a/b/")));
        QCOMPARE(TreeCurrent(view), Q(tree.Path("vol/a/b")));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0).at(0).toString(), Q(tree.Path("vol/a/b/")));

        QVERIFY(!view.SetPath(Q(tree.Path("vol/missing"))));
        QVERIFY(!view.SetPath(Q(tree.Path("vol/file"))));
        QVERIFY(!view.SetPath(""));
        QCOMPARE(view.Path(), Q(tree.Path("vol/a/b/")));
        QCOMPARE(changes.count(), 1);

        // A folder outside the injected volume's mount point belongs to the root volume.
        QVERIFY(view.SetPath(Q(tree.Path("other"))));
        QCOMPARE(drives->currentIndex(), 0);
        QCOMPARE(TreeCurrent(view), Q(tree.Path("other")));
        QVERIFY(view.SetPath("/"));
        QCOMPARE(view.Path(), QString("/"));
        QCOMPARE(TreeCurrent(view), QString("/"));
        QCOMPARE(changes.count(), 3);
    }

    // The user moving in the folder list changes the path, with its slash.
    void ChooserReportsTheUsersFolder() {
        FileTree tree;
        tree.Folder("vol/a/b");
        InFolder here(tree.Path("vol/a"));
        FolderChooserView view(nullptr);
        view.SetVolumes({{tree.Path("vol"), "vol", true}});
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy changes(&view, &FolderChooserView::PathChanged);
        auto* dirList = Child<QTreeView>(view, "dirList");
        QTRY_VERIFY(dirList->model()->rowCount(dirList->currentIndex()) == 1);
        QTest::keyClick(dirList, Qt::Key_Down);
        QCOMPARE(view.Path(), Q(tree.Path("vol/a/b/")));
        QTest::keyClick(dirList, Qt::Key_Up);
        QTest::keyClick(dirList, Qt::Key_Up);
        QCOMPARE(view.Path(), Q(tree.Path("vol/")));
        QCOMPARE(changes.count(), 3);
        QCOMPARE(changes.at(2).at(0).toString(), Q(tree.Path("vol/")));
    }

    // A volume that cannot be read puts the drive list back on the folder list's volume, with
    // no message; a readable one moves the folder list to its root.
    void UnreadableVolumeRevertsSilently() {
        FileTree tree;
        tree.Folder("vol/a");
        tree.Folder("unready");
        tree.Folder("good/x");
        InFolder here(tree.Path("vol/a"));
        FolderChooserView view(nullptr);
        view.SetVolumes({{tree.Path("vol"), "vol", true},
                         {tree.Path("missing"), "missing", true},
                         {tree.Path("unready"), "unready", false},
                         {tree.Path("good"), "good", true}});
        view.show();
        QSignalSpy changes(&view, &FolderChooserView::PathChanged);
        auto* drives = Child<QComboBox>(view, "drvList");
        QCOMPARE(drives->currentIndex(), 0);

        QTest::keyClick(drives, Qt::Key_Down);  // missing
        QCOMPARE(drives->currentIndex(), 0);
        drives->setCurrentIndex(1);
        QTest::keyClick(drives, Qt::Key_Down);  // not ready
        QCOMPARE(drives->currentIndex(), 0);
        QCOMPARE(view.Path(), Q(tree.Path("vol/a/")));
        QCOMPARE(changes.count(), 0);
        QVERIFY(MessageBoxes::Asked().empty());

        QTest::keyClick(drives, Qt::Key_End);  // good
        QCOMPARE(drives->currentIndex(), 3);
        QCOMPARE(view.Path(), Q(tree.Path("good/")));
        QCOMPARE(TreeCurrent(view), Q(tree.Path("good")));
        QCOMPARE(changes.count(), 1);
    }
};

}  // namespace quellix::test

QTEST_MAIN(quellix::test::DestinationPickerTest)
#include "destination_picker_dialog_test.moc"
