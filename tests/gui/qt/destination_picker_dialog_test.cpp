#include "gui/qt/dialogs/destination_picker_dialog.h"

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
#include <functional>
#include <optional>

#include "gui/qt/common/message_box.h"
#include "gui/qt/dialogs/about_dialog.h"
#include "gui/qt/dialogs/folder_chooser_view.h"
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

Settings InLanguage(std::int16_t langue) {
    Settings settings;
    settings.ProgramTitle = "Quellix 2.4.19";
    settings.Langue = langue;
    return settings;
}

// Runs act on the next modal dialog once its event loop runs.
void WhenModal(std::function<void(QWidget&)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog != nullptr);
        act(*dialog);
    });
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
        tree.Folder("vol/.hidden/x");
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

        // A hidden folder asked for is shown, alone among the hidden ones.
        QVERIFY(view.SetPath(Q(tree.Path("vol/.hidden/x"))));
        QCOMPARE(TreeCurrent(view), Q(tree.Path("vol/.hidden/x")));

        // A folder outside the injected volume's mount point belongs to the root volume.
        QVERIFY(view.SetPath(Q(tree.Path("other"))));
        QCOMPARE(drives->currentIndex(), 0);
        QCOMPARE(TreeCurrent(view), Q(tree.Path("other")));
        QVERIFY(view.SetPath("/"));
        QCOMPARE(view.Path(), QString("/"));
        QCOMPARE(TreeCurrent(view), QString("/"));
        QCOMPARE(changes.count(), 4);
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

    // The picker opens over the editor, on the destination when it is still a folder, else on
    // the current folder; OK gives the folder with its slash.
    void PickerStartsOnAnExistingDestinationOnly() {
        FileTree tree;
        tree.Folder("here");
        tree.Folder("there/deep");
        tree.File("there/file", 0);
        InFolder here(tree.Path("here"));
        const QString current = QDir::currentPath() + "/";
        QWidget editor;
        editor.move(140, 90);
        editor.show();
        const std::pair<std::string, QString> cases[] = {
            {tree.Path("gone/"), current},
            {tree.Path("there"), Q(tree.Path("there/"))},
        };
        for (const auto& [destination, start] : cases) {
            QString shown;
            QPoint where;
            WhenModal([&](QWidget& dialog) {
                shown = Child<FolderChooserView>(dialog, "")->Path();
                where = dialog.pos();
                QTest::mouseClick(Child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
            });
            const std::optional<std::string> chosen =
                DestinationPickerDialog::Open(&editor, destination, InLanguage(0));
            QCOMPARE(shown, start);
            QCOMPARE(where, editor.pos());
            QVERIFY(chosen.has_value());
            QCOMPARE(Q(*chosen), start);
        }
        QVERIFY(MessageBoxes::Asked().empty());
    }

    // Cancel, Escape and the close box give nothing, even after the folder was changed.
    void PickerCancelledGivesNothing() {
        FileTree tree;
        tree.Folder("here/sub");
        InFolder here(tree.Path("here"));
        const std::function<void(QDialog&)> closers[] = {
            [](QDialog& d) {
                QTest::mouseClick(Child<QPushButton>(d, "cmdAnnuler"), Qt::LeftButton);
            },
            [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
            [](QDialog& d) { d.close(); },
        };
        for (const auto& close : closers) {
            WhenModal([&](QWidget& dialog) {
                QVERIFY(Child<FolderChooserView>(dialog, "")->SetPath(Q(tree.Path("here/sub"))));
                close(static_cast<QDialog&>(dialog));
            });
            QCOMPARE(DestinationPickerDialog::Open(nullptr, "", InLanguage(0)), std::nullopt);
        }
    }

    // The captions reach the named widgets; a volume that cannot be read changes nothing in the
    // picker.
    void PickerCaptionsAndUnreadableVolume() {
        FileTree tree;
        tree.Folder("here");
        tree.Folder("other");
        InFolder here(tree.Path("here"));
        DestinationPickerDialog english(nullptr, InLanguage(0));
        QCOMPARE(english.objectName(), QString("frmAutreDossier"));
        QCOMPARE(english.windowTitle(), QString("Move old files toward..."));
        QCOMPARE(Child<QLabel>(english, "lblSelectDrive")->text(), QString("Select drive"));
        QCOMPARE(Child<QPushButton>(english, "cmdAnnuler")->text(), QString("&Cancel"));
        QVERIFY(Child<QPushButton>(english, "cmdOK")->isDefault());
        auto* chooser = Child<FolderChooserView>(english, "");
        chooser->SetVolumes({{"/", "/", true}, {tree.Path("gone"), "gone", true}});
        english.show();
        auto* drives = Child<QComboBox>(english, "drvList");
        QTest::keyClick(drives, Qt::Key_Down);
        QCOMPARE(drives->currentIndex(), 0);
        QTest::mouseClick(Child<QPushButton>(english, "cmdOK"), Qt::LeftButton);
        QCOMPARE(english.result(), int(QDialog::Accepted));
        QCOMPARE(english.Chosen(), QDir::currentPath().toStdString() + "/");
        QVERIFY(MessageBoxes::Asked().empty());
    }

    // The about box: title and credit line in each language; Escape, Enter and OK close it.
    void AboutBoxShowsTheCreditLine() {
        AboutDialog french(nullptr, InLanguage(1));
        QCOMPARE(french.objectName(), QString("frmAbout"));
        QCOMPARE(french.windowTitle(), QString("A propos de..."));
        QCOMPARE(Child<QLabel>(french, "lblCredit")->text(),
                 QString("Quellix 2.4.19 - efface ou déplace automatiquement et quotidiennement "
                         "les fichiers obsolètes"));
        AboutDialog english(nullptr, InLanguage(0));
        QCOMPARE(english.windowTitle(), QString("About..."));
        QCOMPARE(Child<QLabel>(english, "lblCredit")->text(),
                 QString("Quellix 2.4.19 - delete or dispatch old files automatically and daily"));

        const std::function<void(QWidget&)> closers[] = {
            [](QWidget& d) { QTest::keyClick(&d, Qt::Key_Escape); },
            [](QWidget& d) { QTest::keyClick(&d, Qt::Key_Return); },
            [](QWidget& d) { QTest::mouseClick(Child<QPushButton>(d, "cmdOK"), Qt::LeftButton); },
        };
        for (const auto& close : closers) {
            bool wasOpen = false;
            WhenModal([&](QWidget& dialog) {
                wasOpen = dialog.objectName() == "frmAbout" && dialog.isVisible();
                close(dialog);
            });
            AboutDialog::Open(nullptr, InLanguage(1));
            QVERIFY(wasOpen);
            QCOMPARE(QApplication::activeModalWidget(), nullptr);
        }
    }
};

}  // namespace quellix::test

QTEST_MAIN(quellix::test::DestinationPickerTest)
#include "destination_picker_dialog_test.moc"
