#include "gui/qt/dialogs/folder_editor_dialog.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "core/config/folder_list_store.h"
#include "core/config/ini_file.h"
#include "gui/qt/common/message_box.h"
#include "gui/qt/dialogs/folder_chooser_view.h"
#include "platform/process_info.h"
#include "support/folder_entries.h"
#include "support/scripted_front_end.h"
#include "support/temp_dir.h"

namespace quellix::test {
namespace {

template <typename Widget = QWidget>
Widget* Child(const QWidget& parent, const char* name) {
    auto* widget = parent.findChild<Widget*>(name);
    if (widget == nullptr) {
        qFatal("no control %s", name);
    }
    return widget;
}

QString Text(const QWidget& dialog, const char* label) {
    return Child<QLabel>(dialog, label)->text();
}

void Click(const QWidget& dialog, const char* button) {
    auto* target = Child<QAbstractButton>(dialog, button);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(8, target->height() / 2));
}

QStringList AskedTexts() {
    QStringList texts;
    for (const MessageRequest& request : MessageBoxes::Asked()) {
        texts << QString::fromStdString(request.text);
    }
    return texts;
}

// Runs check on the next modal window once it is shown.
void WhenModal(std::function<void(QWidget&)> check) {
    QTimer::singleShot(0, [check] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal != nullptr);
        check(*modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible()) {
            dialog->reject();  // a failed check must not leave exec() waiting
        }
    });
}

// A folder list on a configuration file, its folders real, the current folder the root.
class Editor {
  public:
    explicit Editor(const std::string& paths, std::int16_t langue = 0) {
        for (const char* name : {"a", "b", "dest"}) {
            std::filesystem::create_directories(Folder(name));
        }
        std::filesystem::create_directories(Folder("b/sub"));
        dir.Write("b/one", "1");
        dir.Write("b/sub/two", "2");
        QDir::setCurrent(QString::fromStdString(dir.Path()));
        std::string text = paths;
        for (std::size_t at; (at = text.find('@')) != std::string::npos;) {
            text.replace(at, 1, dir.Path());
        }
        dir.Write("Quellix.ini", "[Paths]\n" + text);
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.Langue = langue;
        settings.NbPaths =
            static_cast<std::int32_t>(std::count(text.begin(), text.end(), '\n') / 7);
        ScriptedFrontEnd frontEnd;
        if (LoadFolderList(ini, settings, folders, frontEnd)) {
            qFatal("folder list not loaded");
        }
        MessageBoxes::Script({});
    }
    ~Editor() { MessageBoxes::StopScripting(); }

    std::string Folder(const std::string& name) const { return dir.Path() + "/" + name + "/"; }
    QString QFolder(const std::string& name) const { return QString::fromStdString(Folder(name)); }
    std::string Ini() const { return dir.Read("Quellix.ini"); }

    FolderEditorContext Context() {
        return FolderEditorContext{
            settings, ini, folders,
            [this](const std::string& folder, bool include) { return CountFiles(folder, include); },
            "/home/nobody"};
    }

    // While the editor counts: the busy pointer, OK disabled, and Cancel not taken.
    std::int64_t CountFiles(const std::string& folder, bool include) {
        QWidget* editor = QApplication::activeModalWidget();
        if (editor != nullptr) {
            qobject_cast<QDialog*>(editor)->reject();
            busyWhileCounting = QApplication::overrideCursor() != nullptr &&
                                QApplication::overrideCursor()->shape() == Qt::WaitCursor &&
                                !Child(*editor, "cmdOK")->isEnabled() && editor->isVisible();
        }
        std::int64_t files = 0;
        if (include) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
                files += entry.is_regular_file() ? 1 : 0;
            }
        } else {
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                files += entry.is_regular_file() ? 1 : 0;
            }
        }
        return files;
    }

    TempDir dir;
    IniFile ini{dir.File("Quellix.ini")};
    Settings settings;
    FolderList folders;
    bool busyWhileCounting = false;
};

std::string Entry(int n, const std::string& folder, const std::string& subfolders,
                  const std::string& destination) {
    const std::string k = std::to_string(n);
    return "Path" + k + "=@/" + folder + "\nRetentionPath" + k + "=48\nSousDossiers" + k + "=" +
           subfolders + "\nDate" + k + "=A\nEffacer" + k + "=" +
           (destination.empty() ? "oui" : "non") + "\nCorbeille" + k + "=non\nAutreDossier" + k +
           "=" + destination + "\n";
}

}  // namespace

class FolderEditorDialogTest : public QObject {
    Q_OBJECT

  private slots:
    // An add after the selected row, refused step by step, then written where it belongs.
    void AddIsRefusedUntilItIsRightThenWritten() {
        Editor e(Entry(1, "a/", "non", "") + Entry(2, "dest/", "non", ""));
        bool walked = false;
        WhenModal([&](QWidget& dialog) {
            QCOMPARE(dialog.objectName(), QString("frmRepertoire"));
            QCOMPARE(dialog.windowTitle(), QString("Add a folder"));
            QCOMPARE(Text(dialog, "lblRepertoire"), e.QFolder("a"));
            QCOMPARE(Text(dialog, "lblErrRetention"), QString("(2 days)"));
            QVERIFY(!Child(dialog, "chkEffacerSousDossiersVides")->isEnabled());
            QVERIFY(!Child(dialog, "cmdAutreDossier")->isEnabled());

            auto* retention = Child<QComboBox>(dialog, "comboRetention");
            QCOMPARE(retention->count(), 8);
            // A long retention shows whole, not cut to its end.
            const QLineEdit* field = retention->lineEdit();
            QVERIFY(field->contentsRect().width() >=
                    field->fontMetrics().horizontalAdvance(QStringLiteral("100000.5")));
            retention->setEditText("abc");
            QCOMPARE(Text(dialog, "lblErrRetention"), QString("Invalid value"));
            QVERIFY(Child(dialog, "lblErrRetention")->isVisible());
            QCOMPARE(Child(dialog, "lblErrRetention")->palette().color(QPalette::WindowText),
                     QColor(255, 0, 0));
            Click(dialog, "cmdOK");
            retention->setEditText("25");
            QCOMPARE(Text(dialog, "lblErrRetention"), QString("(1 day 1 hour)"));
            Click(dialog, "cmdOK");

            Click(dialog, "optDestination2");
            QVERIFY(Child(dialog, "cmdAutreDossier")->isEnabled());
            Click(dialog, "cmdOK");

            // The picker writes its folder into the destination label.
            WhenModal([&](QWidget& picker) {
                QCOMPARE(picker.objectName(), QString("frmAutreDossier"));
                auto* lists = picker.findChild<FolderChooserView*>();
                QVERIFY(lists != nullptr && lists->SetPath(e.QFolder("dest")));
                Click(picker, "cmdOK");
            });
            Click(dialog, "cmdAutreDossier");
            QCOMPARE(Text(dialog, "lblAutreDossier"), e.QFolder("dest"));
            Click(dialog, "chkShortCut");

            // A system folder is asked about; No (the default) keeps the dialog open.
            FolderEditorDialog::SetNextBrowseAnswer("/usr");
            Click(dialog, "cmdParcourir");
            QCOMPARE(Text(dialog, "lblRepertoire"), QString("/usr/"));
            Click(dialog, "cmdOK");

            FolderEditorDialog::SetNextBrowseAnswer(e.QFolder("b"));
            Click(dialog, "cmdParcourir");
            Click(dialog, "chkSousDossiers");
            QVERIFY(Child(dialog, "chkEffacerSousDossiersVides")->isEnabled());
            Click(dialog, "chkEffacerSousDossiersVides");
            Click(dialog, "optDate1");
            QCOMPARE(AskedTexts().size(), 4);
            QCOMPARE(e.folders.Size(), 2u);
            walked = true;
            Click(dialog, "cmdOK");
        });
        const std::string before = e.Ini();
        const std::optional<std::size_t> row =
            FolderEditorDialog::Open(nullptr, FolderEditorMode::AddAfter, 0, e.Context());
        QVERIFY(walked);

        const QStringList asked = AskedTexts();
        QCOMPARE(asked.size(), 4);
        QCOMPARE(asked[0], QString("Please modify keep time"));
        QCOMPARE(asked[1], QString("Folder already in the list"));
        QCOMPARE(asked[2], QString("Invalid destination folder"));
        QVERIFY(asked[3].startsWith("Automatic purge can be hazardous for this folder!"));
        QCOMPARE(MessageBoxes::Asked()[3].buttons, MessageButtons::YesNo);
        QCOMPARE(row, std::optional<std::size_t>(1));
        QVERIFY(e.busyWhileCounting);
        QCOMPARE(test::CellsOf(e.folders.Entries()[1], Language::English),
                 (std::array<std::string, 6>{"2", e.Folder("b"), "25", "yes [D]", "C",
                                             "[+S] " + e.Folder("dest")}));
        QCOMPARE(TotalHeader(e.folders, Language::English), std::string("Total files\n2"));
        QVERIFY(e.Ini() != before);
        QCOMPARE(e.ini.Read("Paths", "Path2"), std::optional(e.Folder("b")));
        QCOMPARE(e.ini.Read("Paths", "SousDossiers2"), std::optional<std::string>("oui [D]"));
        QCOMPARE(e.ini.Read("Paths", "AutreDossier2"), std::optional("[+S] " + e.Folder("dest")));
        QCOMPARE(e.ini.Read("Paths", "Path3"), std::optional(e.Folder("dest")));
    }

    // Cancel, Escape and the close box leave the list and the file as they were.
    void CancelChangesNothing() {
        Editor e(Entry(1, "a/", "oui [RO]", ""));
        const std::string before = e.Ini();
        const std::vector<FolderEntry> rows = e.folders.Entries();
        const FolderEditorContext context = e.Context();
        for (int way = 0; way < 3; ++way) {
            for (FolderEditorMode mode : {FolderEditorMode::AddBefore, FolderEditorMode::Modify}) {
                const auto opening = OpenFolderEditor(mode, 0, e.folders, Language::English);
                QVERIFY(opening);
                FolderEditorDialog dialog(*opening, context);
                dialog.show();
                FolderEditorDialog::SetNextBrowseAnswer(e.QFolder("b"));
                Click(dialog, "cmdParcourir");
                Child<QComboBox>(dialog, "comboRetention")->setEditText("72");
                Click(dialog, "optDestination1");
                if (way == 0) {
                    Click(dialog, "cmdAnnuler");
                } else if (way == 1) {
                    QTest::keyClick(&dialog, Qt::Key_Escape);
                } else {
                    dialog.close();
                }
                QCOMPARE(dialog.result(), int(QDialog::Rejected));
                QVERIFY(!dialog.WrittenRow());
            }
        }
        QCOMPARE(e.Ini(), before);
        QCOMPARE(e.folders.Size(), rows.size());
        QCOMPARE(test::CellsOf(e.folders.Entries()[0], Language::English),
                 test::CellsOf(rows[0], Language::English));
        QVERIFY(MessageBoxes::Asked().empty());
    }

    // A row whose folder is gone opens on the current folder with the warning in red; OK stores
    // the current folder.
    void MissingFolderOpensWithTheRedWarning() {
        Editor e(Entry(1, "gone/", "non", ""));
        const auto opening =
            OpenFolderEditor(FolderEditorMode::Modify, 0, e.folders, Language::English);
        QVERIFY(opening);
        const FolderEditorContext context = e.Context();
        FolderEditorDialog dialog(*opening, context);
        dialog.show();
        auto* warning = Child<QLabel>(dialog, "lblDossier");
        QCOMPARE(warning->text(), QString("WARNING: unknown selected folder"));
        QCOMPARE(warning->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(Text(dialog, "lblRepertoire"), QString::fromStdString(e.dir.Path() + "/"));

        Click(dialog, "cmdOK");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(e.ini.Read("Paths", "Path1"), std::optional(e.dir.Path() + "/"));
    }

    // Showing a folder in the lists reads no file of it: entries purged by access date would
    // otherwise never age. Files of unknown kinds are the ones an icon lookup would read.
    void FolderTreeReadsNoFile() {
        TempDir dir;
        const std::string files[] = {dir.Write("tree/data.qqq", "\x7f\x01 unknown kind"),
                                     dir.Write("tree/sub/notes", "plain words"),
                                     dir.Write("tree/sub/inner/deep.zzz", "PK\x03\x04")};
        const std::string control = dir.Write("control.qqq", "read on purpose");
        const auto stamp = [](const std::string& path) {
            const timespec times[2] = {{1'000'000'000, 0}, {900'000'000, 0}};  // access, write
            QVERIFY(::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0);
        };
        const auto accessed = [](const std::string& path) {
            struct stat info {};
            return ::stat(path.c_str(), &info) == 0 ? info.st_atim.tv_sec : -1;
        };
        for (const std::string& file : files) {
            stamp(file);
        }
        stamp(control);
        std::ifstream(control).get();
        if (accessed(control) == 1'000'000'000) {
            QSKIP("this file system does not record access times");
        }

        FolderChooserView view(nullptr);
        auto* model = view.findChild<QFileSystemModel*>();
        QVERIFY(model != nullptr);
        QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
        view.show();
        const auto folder = [&dir](const char* name) {
            return QString::fromStdString(dir.File(name));
        };
        QVERIFY(view.SetPath(folder("tree/sub/inner")));
        for (const char* name : {"tree", "tree/sub", "tree/sub/inner"}) {
            QTRY_VERIFY_WITH_TIMEOUT(std::any_of(loaded.begin(), loaded.end(),
                                                 [&](const QList<QVariant>& signal) {
                                                     return signal.at(0).toString() == folder(name);
                                                 }),
                                     10000);
        }
        // Rows for the folders only, drawn with their icons.
        QTest::qWait(100);
        QVERIFY(view.grab().width() > 0);
        for (const std::string& file : files) {
            QCOMPARE(accessed(file), std::int64_t{1'000'000'000});
        }
    }

    // Every caption in both languages; pictures for a look, in QUELLIX_SCREENSHOT_DIR when given.
    void CaptionsInBothLanguages() {
        Editor e(Entry(1, "a/", "oui [D]", ""));
        QString shots = QString::fromStdString(e.dir.Path());
        if (const auto given = platform::EnvironmentVariable("QUELLIX_SCREENSHOT_DIR")) {
            shots = QString::fromStdString(*given);
            QDir().mkpath(shots);
        }
        QImage pictures[2];
        for (std::int16_t langue : {0, 1}) {
            e.settings.Langue = langue;
            const Language language = e.settings.language();
            const auto opening = OpenFolderEditor(FolderEditorMode::Modify, 0, e.folders, language);
            const FolderEditorContext context = e.Context();
            FolderEditorDialog dialog(*opening, context);
            dialog.show();
            QCOMPARE(Child<QAbstractButton>(dialog, "cmdAnnuler")->text(),
                     langue ? QString("&Annuler") : QString("&Cancel"));
            QCOMPARE(Child<QAbstractButton>(dialog, "optDestination0")->text(),
                     langue ? QString("Effacer immédiatement les fichiers obsolètes")
                            : QString("Delete old files immediately"));
            QCOMPARE(Text(dialog, "lblRetention"), langue
                                                       ? QString("Temps de rétention\n(éditable)")
                                                       : QString("Keep time\n(editable)"));
            QVERIFY(Child<QPushButton>(dialog, "cmdOK")->isDefault());
            QTest::qWait(50);
            pictures[langue] = dialog.grab().toImage();
            QVERIFY(pictures[langue].save(
                shots + (langue ? "/folder-editor-fr.png" : "/folder-editor-en.png")));
        }
        QVERIFY(pictures[0] != pictures[1]);
    }
};

}  // namespace quellix::test

QTEST_MAIN(quellix::test::FolderEditorDialogTest)
#include "folder_editor_dialog_test.moc"
