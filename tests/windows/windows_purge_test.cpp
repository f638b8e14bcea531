#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/config/ini_file.h"
#include "core/purge/purge_fixture.h"
#include "core/purge/purge_run.h"
#include "core/purge/run_journal.h"
#include "core/purge/undo_last.h"
#include "platform/win32/wide_text.h"
#include "support/folder_entries.h"
#include "win32/file_helpers.h"

namespace quellix {
namespace {

namespace fs = std::filesystem;
namespace win = platform::win32;
using test::EpochOf;

// The engine on Windows, over a real tree, with paths spelt as a Windows user writes them.
class WindowsPurgeTest : public test::PurgeFixture {
  protected:
    // The tree's path of relative, with backslashes.
    std::string W(const std::string& relative) const {
        std::string path = tree.Path(relative);
        for (char& c : path) {
            c = c == '/' ? '\\' : c;
        }
        return path;
    }
    FolderEntry EntryFor(const std::string& folder, FolderAction action) const {
        FolderEntry entry = Entry(action);
        entry.path = W(folder) + "\\";
        return entry;
    }
    // A file whose name the ANSI code page cannot hold, dated like tree.File's.
    void WideFile(const std::string& relative, std::int64_t date) {
        ASSERT_TRUE(win::test::WriteFileAt(tree.Path(relative), "wide"));
        tree.SetTimes(relative, date, date);
    }
    // Wine's Recycle Bin is the freedesktop trash of the run's own XDG_DATA_HOME.
    static std::size_t ItemsInBin() {
        const char* data = std::getenv("XDG_DATA_HOME");
        if (data == nullptr) {
            return 0;
        }
        std::error_code error;
        fs::directory_iterator files(std::string("Z:") + data + "/Trash/files", error);
        return error ? 0 : static_cast<std::size_t>(std::distance(files, fs::directory_iterator()));
    }
};

// Every action over the same tree: subfolders, a name beyond the code page, a hidden system
// file and a shortcut met in the folder; the log names each file by its Windows path.
TEST_F(WindowsPurgeTest, EachActionWorksTheTreeWithWindowsPathsAndNames) {
    const std::string wide = "\xCE\xA9mega \xE1\xBA\x9E.txt";  // "Ωmega ẞ.txt"
    struct Case {
        FolderAction action;
        bool shortcut;
        const char* logged;  // what follows a handled file's path
    };
    const Case cases[] = {
        {FolderAction::Delete, false, " <i>deleted</i>"},
        {FolderAction::RecycleBin, false, " <i>in Recycle Bin</i>"},
        {FolderAction::Move, false, " <i>moved to</i> "},
        {FolderAction::Move, true, " <i>moved to</i> "},
    };
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int n = 0;
    for (const Case& c : cases) {
        const std::string in = "in" + std::to_string(++n);
        const std::string dest = "dest" + std::to_string(n);
        SCOPED_TRACE(in);
        tree.File(in + "/old.txt", Old(), "old");
        tree.File(in + "/sub/old.txt", Old(), "sub old");
        tree.File(in + "/recent.txt", Recent());
        tree.File(in + "/earlier.lnk", Old());
        tree.File(in + "/hidden.txt", Old());
        ASSERT_TRUE(win::test::SetAttributesAt(tree.Path(in + "/hidden.txt"),
                                               FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
        WideFile(in + "/" + wide, Old());
        tree.Folder(dest);
        FolderEntry entry = EntryFor(in, c.action);
        entry.destination = W(dest) + "\\";
        entry.createShortcut = c.shortcut;
        const std::size_t binBefore = ItemsInBin();

        const PurgeRunState run = Purge(entry);

        // Shortcuts met are never moved when shortcuts are left.
        const int handled = c.shortcut ? 4 : 5;
        EXPECT_EQ(run.filesHandled, handled);
        EXPECT_TRUE(tree.Exists(in + "/recent.txt"));
        EXPECT_FALSE(tree.Exists(in + "/old.txt"));
        EXPECT_FALSE(tree.Exists(in + "/sub/old.txt"));
        EXPECT_FALSE(win::test::ExistsAt(tree.Path(in + "/" + wide)));
        EXPECT_EQ(tree.Exists(in + "/earlier.lnk"), c.shortcut);
        EXPECT_EQ(ItemsInBin() - binBefore,
                  c.action == FolderAction::RecycleBin ? std::size_t(handled) : 0u);
        EXPECT_TRUE(Logged(W(in) + "\\sub\\old.txt" + c.logged)) << LogText();
        EXPECT_TRUE(Logged(W(in) + "\\" + wide + c.logged));
        if (c.action != FolderAction::Move) {
            EXPECT_EQ(tree.List(dest), std::vector<std::string>{});
            continue;
        }
        EXPECT_EQ(tree.Read(dest + "/sub/old.txt"), "sub old");
        EXPECT_EQ(win::test::ReadFileAt(tree.Path(dest + "/" + wide)), "wide");
        EXPECT_NE(win::test::AttributesAt(tree.Path(dest + "/hidden.txt")) & FILE_ATTRIBUTE_HIDDEN,
                  0u);
        EXPECT_TRUE(Logged(W(in) + "\\sub\\old.txt <i>moved to</i> " + W(dest) + "\\sub\\ [Date"));
        if (c.shortcut) {
            EXPECT_EQ(win::test::ShellLinkTarget(win::SystemPath(tree.Path(in + "/sub/old.lnk"))),
                      win::Widen(W(dest) + "\\sub\\old.txt"));
            // Wine reads a link's path back through the ANSI code page: the name must be in the
            // file itself in UTF-16, as the shell resolves it.
            const std::wstring name = win::Widen(wide);
            const auto bytes = win::test::ReadFileAt(tree.Path(in + "/" + ShortcutName(wide)));
            ASSERT_TRUE(bytes.has_value());
            EXPECT_NE(bytes->find(std::string(reinterpret_cast<const char*>(name.data()),
                                              name.size() * sizeof(wchar_t))),
                      std::string::npos);
        } else {
            EXPECT_TRUE(tree.Exists(dest + "/earlier.lnk"));
            EXPECT_FALSE(tree.Exists(in + "/sub/old.lnk"));
        }
    }
}

// Folders nested below the tree's entries far enough to take their files past MAX_PATH.
std::string DeepFolders() {
    std::string path;
    for (int level = 0; level < 8; ++level) {
        path += "/a folder nested deep below the others " + std::to_string(level);
    }
    return path;
}

std::string Backslashed(std::string path) {
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path;
}

// Every action reaches a file past MAX_PATH, or says in the log why it cannot (the shell takes
// no such path, nor records such a shortcut target): none is passed over in silence. The count
// sees the deep files too.
// The last run undone on Windows: a file sent to the Recycle Bin comes back through the bin's own
// Restore, and only into a place that is free.
TEST_F(WindowsPurgeTest, UndoBringsFilesBackFromTheRecycleBin) {
    tree.File("in/old.txt", Old(), "old");
    tree.File("in/taken.txt", Old(), "taken");
    const std::string journal = tree.Path("Quellix.ini.last-purge");
    {
        RunJournal writer(journal);
        PurgeRunState run;
        run.outcomes = &writer;
        PurgeEngine engine(settings, clock, frontEnd);
        engine.PurgeEntry(EntryFor("in", FolderAction::RecycleBin), run);
        ASSERT_EQ(run.filesHandled, 2);
    }
    tree.File("in/taken.txt", Recent(), "someone else's");
    const LastRun last = ReadLastRun(journal);
    ASSERT_EQ(last.state, LastRun::State::Read);
    EXPECT_EQ(FilesToRestore(last.records), 2u);
    const UndoReport report = UndoLastRun(journal, last.records);
    EXPECT_EQ(report.restored, std::vector<std::string>{W("in/old.txt")});
    ASSERT_EQ(report.left.size(), 1u);
    EXPECT_EQ(report.left[0].why, UndoLeft::PlaceTaken);
    EXPECT_EQ(tree.Read("in/old.txt"), "old");
    EXPECT_EQ(tree.Read("in/taken.txt"), "someone else's");
}

TEST_F(WindowsPurgeTest, ATreePastMaxPathIsWorkedOrLoggedByEveryAction) {
    const std::string deep = DeepFolders();
    const struct {
        FolderAction action;
        bool shortcut;
        const char* line;  // what follows the deep file's path in the log
        bool handled;
    } cases[] = {
        {FolderAction::Delete, false, " <i>deleted</i> [Date M.: ", true},
        {FolderAction::Move, false, " <i>moved to</i> ", true},
        {FolderAction::Move, true, " <i>not deleted</i>, error:38</font> [Date M.: ", false},
        {FolderAction::RecycleBin, false,
         " <i>not deleted</i>, error 1:38, error 2:0</font> [Date M.: ", false},
    };
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int n = 0;
    for (const auto& c : cases) {
        const std::string in = "deep-in" + std::to_string(++n);
        const std::string dest = "deep-dest" + std::to_string(n);
        SCOPED_TRACE(in);
        const std::string folder = tree.Path(in) + deep;
        ASSERT_GT(win::SystemPath(folder + "/old.txt").size(), 300u);
        ASSERT_TRUE(win::test::MakeFoldersAt(folder));
        ASSERT_TRUE(win::test::WriteFileAt(folder + "/old.txt", "deep old"));
        ASSERT_TRUE(win::test::SetTimesAt(folder + "/old.txt", Old(), Old()));
        ASSERT_TRUE(win::test::WriteFileAt(folder + "/recent.txt", "deep recent"));
        ASSERT_TRUE(win::test::SetTimesAt(folder + "/recent.txt", Recent(), Recent()));
        tree.Folder(dest);
        FolderEntry entry = EntryFor(in, c.action);
        entry.destination = W(dest) + "\\";
        entry.createShortcut = c.shortcut;
        PurgeEngine engine(settings, clock, frontEnd);
        EXPECT_EQ(engine.CountFiles(entry.path, true), 2);
        const std::size_t binBefore = ItemsInBin();

        const PurgeRunState run = Purge(entry);

        EXPECT_EQ(run.filesHandled, c.handled ? 1 : 0);
        EXPECT_TRUE(Logged(W(in) + Backslashed(deep) + "\\old.txt" + c.line)) << LogText();
        EXPECT_EQ(win::test::ExistsAt(folder + "/old.txt"), !c.handled);
        EXPECT_EQ(win::test::ReadFileAt(folder + "/recent.txt"), "deep recent");
        EXPECT_FALSE(win::test::ExistsAt(folder + "/old.lnk"));
        EXPECT_EQ(ItemsInBin(), binBefore);
        if (c.action == FolderAction::Move && c.handled) {
            EXPECT_EQ(win::test::ReadFileAt(tree.Path(dest) + deep + "/old.txt"), "deep old");
            EXPECT_TRUE(Logged(W(in) + Backslashed(deep) + "\\old.txt <i>moved to</i> " + W(dest) +
                               Backslashed(deep) + "\\ [Date M.: "));
        }
        EXPECT_EQ(engine.CountFiles(entry.path, true), c.handled ? 1 : 2);
        win::test::RemoveTreeAt(win::SystemPath(tree.Path(in)));
        win::test::RemoveTreeAt(win::SystemPath(tree.Path(dest)));
    }
}

// A folder past MAX_PATH takes the shortcut of a file moved to a short destination: the link is
// written beside the file through its folder's handle, and only its target must fit the shell.
TEST_F(WindowsPurgeTest, AShortcutIsLeftInAFolderPastMaxPath) {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::string folder = tree.Path("in") + DeepFolders();
    ASSERT_TRUE(win::test::MakeFoldersAt(folder));
    ASSERT_TRUE(win::test::WriteFileAt(folder + "/old.txt", "deep old"));
    ASSERT_TRUE(win::test::SetTimesAt(folder + "/old.txt", Old(), Old()));
    tree.Folder("dest");
    FolderEntry entry = MoveEntry(true);
    entry.path = Backslashed(folder) + "\\";
    entry.destination = W("dest") + "\\";

    const PurgeRunState run = Purge(entry);

    EXPECT_EQ(run.filesHandled, 1);
    EXPECT_EQ(tree.Read("dest/old.txt"), "deep old");
    EXPECT_EQ(win::test::ShellLinkTarget(win::SystemPath(folder + "/old.lnk")),
              win::Widen(W("dest") + "\\old.txt"));
    EXPECT_TRUE(Logged(Backslashed(folder) + "\\old.txt <i>moved to</i> " + W("dest") + "\\ [Date"))
        << LogText();
    win::test::RemoveTreeAt(
        win::SystemPath(tree.Path("in") + "/a folder nested deep below the others 0"));
}

// What stays where it is, and says why: read-only, locked, a move that would replace a file, a
// date kind that sees a recent date, the program's own file, a folder not wholly obsolete.
TEST_F(WindowsPurgeTest, FilesThatStayAndTheirLines) {
    tree.File("in/ro.txt", Old());
    tree.MakeReadOnly("in/ro.txt");
    tree.File("in/locked.txt", Old());
    tree.File("in/written.txt", Old());
    tree.SetTimes("in/written.txt", Recent(), Old());
    // The program's own file is known by its identity, whatever the spelling of its path.
    tree.File("in/Quellix.ini", Old());
    settings.ConfigPath = tree.Path("in") + "/quellix.INI";
    {
        const win::test::HeldOpen held(tree.Path("in/locked.txt"), 0);
        ASSERT_TRUE(held.Valid());
        Purge(EntryFor("in", FolderAction::Delete));
    }
    EXPECT_TRUE(tree.IsReadOnly("in/ro.txt"));
    EXPECT_TRUE(Logged(W("in") + "\\ro.txt <i>is read only and not deleted</i></font>"));
    EXPECT_TRUE(tree.Exists("in/locked.txt"));
    EXPECT_TRUE(Logged(W("in") + "\\locked.txt <i><b>locked</b></i> [Date M.: 12/01/26 08:00:00]"));
    EXPECT_TRUE(tree.Exists("in/written.txt"));

    // By last access the same file is old; the read-only flag goes with the entry's option.
    FolderEntry byAccess = EntryFor("in", FolderAction::Delete);
    byAccess.date = "A";
    byAccess.deleteReadOnly = true;
    Purge(byAccess);
    EXPECT_FALSE(tree.Exists("in/written.txt"));
    EXPECT_FALSE(tree.Exists("in/ro.txt"));
    EXPECT_FALSE(tree.Exists("in/locked.txt"));

    // By creation: the date the file was made, whatever was written since.
    tree.File("in/made-long-ago.txt", Old());
    tree.SetTimes("in/made-long-ago.txt", Recent(), Recent());
    FolderEntry byCreation = EntryFor("in", FolderAction::Delete);
    byCreation.date = "C";
    // Wine keeps no creation date of its own (it reports the last write): there the file is as
    // recent by creation as by its last write.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(::GetFileAttributesExW(win::SystemPath(tree.Path("in/made-long-ago.txt")).c_str(),
                                       GetFileExInfoStandard, &data));
    const bool creationKept = ::CompareFileTime(&data.ftCreationTime, &data.ftLastWriteTime) != 0;
    Purge(byCreation);
    EXPECT_EQ(tree.Exists("in/made-long-ago.txt"), !creationKept) << LogText();
    EXPECT_EQ(Logged(W("in") + "\\made-long-ago.txt <i>deleted</i> [Date C.: 12/01/26 08:00:00]"),
              creationKept);

    // A move never replaces what the destination holds.
    tree.File("in/x/taken.txt", Old(), "new");
    tree.File("dest/x/taken.txt", Recent(), "kept");
    FolderEntry move = EntryFor("in", FolderAction::Move);
    move.destination = W("dest") + "\\";
    Purge(move);
    EXPECT_EQ(tree.Read("in/x/taken.txt"), "new");
    EXPECT_EQ(tree.Read("dest/x/taken.txt"), "kept");
    EXPECT_TRUE(Logged(W("in") + "\\x\\taken.txt <i>not deleted</i>, error:17</font>"));

    // A destination given as a relative path is never taken for a folder.
    move.destination = "dest\\";
    Purge(move);
    EXPECT_TRUE(tree.Exists("in/x/taken.txt"));
    EXPECT_TRUE(Logged("dest\\x\\ <i>invalid path</i>"));
    EXPECT_TRUE(tree.Exists("in/Quellix.ini"));

    // Where every file must be obsolete, one recent file keeps the whole folder.
    settings.TousFichiersObsoletes = true;
    tree.File("all/a.txt", Old());
    tree.File("all/b.txt", Old());
    tree.File("mixed/a.txt", Old());
    tree.File("mixed/b.txt", Recent());
    Purge(EntryFor("all", FolderAction::Delete));
    Purge(EntryFor("mixed", FolderAction::Delete));
    EXPECT_EQ(tree.List("all"), std::vector<std::string>{});
    EXPECT_EQ(tree.List("mixed"), (std::vector<std::string>{"mixed/a.txt", "mixed/b.txt"}));
}

// A whole run: empty subfolders deepest first, a folder with a hidden file kept, the day's log
// in the log folder and the older logs beyond the number kept removed before it.
TEST_F(WindowsPurgeTest, RunRemovesEmptySubfoldersAndKeepsTheNewestLogs) {
    tree.File("in/a/b/c/old.txt", Old());
    tree.File("in/a/b/old.txt", Old());
    tree.File("in/hidden/desktop.ini", Recent());
    ASSERT_TRUE(
        win::test::SetAttributesAt(tree.Path("in/hidden/desktop.ini"), FILE_ATTRIBUTE_HIDDEN));
    for (const char* day : {"01", "02", "03"}) {
        logs.Write(std::string("Log Quellix 2026-12-") + day + ".htm", "old");
    }
    settings.PurgeLogs = true;
    settings.DelaiLogs = 2;
    FolderList folders;
    folders.Append(test::EntryOf({"3", W("in") + "\\", "24", "yes [D]", "M", "Delete"}));
    MemoryConfigStore config;
    PurgeEngine engine(settings, clock, frontEnd);
    PurgeRun({settings, folders, config, frontEnd, service, clock, engine, [] {}});

    EXPECT_EQ(settings.NbDernierePurge, 2);
    EXPECT_EQ(settings.NbDernierePurgeDossiers, 3);
    EXPECT_EQ(tree.List("in"), (std::vector<std::string>{"in/hidden", "in/hidden/desktop.ini"}));
    const std::string text = LogText();
    const std::string removed = "<i>Empty subfolder deleted</i>: ";
    const auto c = text.find(removed + W("in") + "\\a\\b\\c</font>");
    const auto a = text.find(removed + W("in") + "\\a</font>");
    ASSERT_NE(c, std::string::npos) << text;
    EXPECT_LT(c, a);
    EXPECT_EQ(test::NamesIn(logs.Path()), (std::vector<std::string>{"Log Quellix 2026-12-03.htm",
                                                                    "Log Quellix 2026-12-07.htm"}));
}

}  // namespace
}  // namespace quellix
