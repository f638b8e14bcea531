#include "core/purge/undo_last.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "core/purge/purge_fixture.h"
#include "support/env_override.h"

namespace quellix::test {
namespace {

// A journal's text: its first line, then lines.
std::string JournalText(std::string_view lines) {
    std::string text(kJournalHeader);
    text += '\n';
    text += lines;
    return text;
}

TEST(RunJournal, AnyNameOnOneLineAndBack) {
    const std::string names[] = {"plain", "two\nlines",   "tab\there",
                                 "100%",  "\x01\x7f\xe9", "caf\xc3\xa9"};
    for (const std::string& name : names) {
        std::vector<JournalRecord> records(4);
        records[0] = {JournalRecord::Kind::Moved, "/in/", "/out/", "", true};
        records[1] = {JournalRecord::Kind::Trashed, "/in/", "/t/files/", "/t/info/", false};
        records[2] = {JournalRecord::Kind::FolderRemoved, "/in/", "", "", false};
        records[3] = {JournalRecord::Kind::Recycled, "C:\\in\\", "", "", false};
        for (JournalRecord& record : records) {
            record.original.append(name);
            if (!record.now.empty()) {
                record.now.append(name);
            }
            if (!record.info.empty()) {
                record.info.append(name).append(".trashinfo");
            }
        }
        for (const JournalRecord& record : records) {
            const std::string line = JournalLine(record);
            EXPECT_EQ(line.find('\n'), std::string::npos);
            EXPECT_EQ(ParseJournalLine(line), record) << line;
        }
    }
    for (const char* broken : {"", "moved\t/a", "moved\t/a\t", "trashed\t/a\t/b", "gone\t/a",
                               "recycled\t/a\t/b", "moved\t/a\t/b%2", "folder-removed\t/a\t/b"}) {
        EXPECT_FALSE(ParseJournalLine(broken)) << broken;
    }
    // Not a journal without its first line; a line cut short by a killed run is left out.
    EXPECT_FALSE(ParseJournal("moved\t/a\t/b\n"));
    const auto records =
        ParseJournal(JournalText("moved\t/a\t/b\nfolder-removed\t/c\ntrashed\t/d\t/e"));
    ASSERT_TRUE(records);
    EXPECT_EQ(records->size(), 2u);
}

class UndoLastTest : public PurgeFixture {
  protected:
    UndoLastTest() : home_("HOME", tree.Path("home")), data_("XDG_DATA_HOME", tree.Path("trash")) {}

    // One entry purged with its outcomes in a new journal.
    void PurgeWithJournal(const FolderEntry& entry) {
        RunJournal journal(Journal());
        ASSERT_TRUE(journal.IsOpen());
        PurgeRunState run;
        run.outcomes = &journal;
        PurgeEngine engine(settings, clock, frontEnd);
        engine.PurgeEntry(entry, run);
    }
    std::string Journal() const { return tree.Path("Quellix.ini.last-purge"); }

    EnvOverride home_;
    EnvOverride data_;
};

// Moves with shortcuts and trashings come back, latest first; a removed folder is made again for
// the files that need it; what cannot go back (its place taken, gone from where the run put it)
// is listed and left, and only what may still go back stays in the journal for a second try.
TEST_F(UndoLastTest, PutsBackWhatItCanAndKeepsTheRestForLater) {
    tree.File("in/a.txt", Old(), "a");
    tree.File("in/sub/b.txt", Old(), "b");
    tree.File("in/c.txt", Old(), "c");
    tree.File("in/recent.txt", Recent(), "r");
    tree.File("in/other/d.txt", Old(), "d");
    tree.Folder("dest");
    PurgeWithJournal(MoveEntry(true));
    struct stat info {};
    ASSERT_EQ(::stat(Journal().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_TRUE(tree.Exists("dest/sub/b.txt") && tree.IsLink("in/a.lnk"));

    // The user took one file away from the destination, and put a file of his own in the
    // place of another.
    ::unlink(tree.Path("dest/c.txt").c_str());
    tree.File("in/a.txt", Recent(), "mine");
    // And removed a folder himself: the undo does not make it again.
    std::filesystem::remove_all(tree.Path("in/other"));
    LastRun last = ReadLastRun(Journal());
    ASSERT_EQ(last.state, LastRun::State::Read);
    EXPECT_EQ(FilesToRestore(last.records), 4u);
    UndoReport report = UndoLastRun(Journal(), last.records);
    EXPECT_EQ(report.restored, std::vector<std::string>{tree.Path("in/sub/b.txt")});
    std::map<std::string, UndoLeft> left;
    for (const UndoReport::Left& file : report.left) {
        left[file.path] = file.why;
    }
    EXPECT_EQ(left, (std::map<std::string, UndoLeft>{
                        {tree.Path("in/a.txt"), UndoLeft::PlaceTaken},
                        {tree.Path("in/c.txt"), UndoLeft::Gone},
                        {tree.Path("in/other/d.txt"), UndoLeft::FolderGone}}));
    EXPECT_FALSE(tree.Exists("in/other"));
    EXPECT_EQ(report.shortcutsRemoved, 1u);
    EXPECT_EQ(tree.Read("in/sub/b.txt"), "b");
    EXPECT_FALSE(tree.Exists("in/sub/b.lnk"));
    EXPECT_EQ(tree.Read("in/a.txt"), "mine");
    EXPECT_EQ(tree.Read("dest/a.txt"), "a");

    // Once the place is free the rest goes back; the journal is then gone.
    ::unlink(tree.Path("in/a.txt").c_str());
    tree.Folder("in/other");
    last = ReadLastRun(Journal());
    EXPECT_EQ(FilesToRestore(last.records), 2u);
    report = UndoLastRun(Journal(), last.records);
    EXPECT_EQ(report.restored.size(), 2u);
    EXPECT_EQ(tree.Read("in/a.txt"), "a");
    EXPECT_FALSE(tree.Exists("in/a.lnk"));
    EXPECT_FALSE(tree.Exists("Quellix.ini.last-purge"));
    EXPECT_EQ(ReadLastRun(Journal()).state, LastRun::State::Missing);

    // Trashed files come back with their info file gone from the trash, into the emptied folder
    // the run removed.
    FolderEntry recycle = Entry(FolderAction::RecycleBin);
    recycle.deleteEmptySubfolders = true;
    tree.SetTimes("in/sub/b.txt", Old(), Old());
    PurgeWithJournal(recycle);
    ASSERT_FALSE(tree.Exists("in/sub"));
    last = ReadLastRun(Journal());
    report = UndoLastRun(Journal(), last.records);
    std::sort(report.foldersMade.begin(), report.foldersMade.end());
    EXPECT_EQ(report.foldersMade,
              (std::vector<std::string>{tree.Path("in/other"), tree.Path("in/sub")}));
    EXPECT_EQ(tree.Read("in/other/d.txt"), "d");
    EXPECT_EQ(tree.Read("in/sub/b.txt"), "b");
    EXPECT_EQ(tree.List("trash/Trash/info"), std::vector<std::string>{});
    EXPECT_EQ(report.left.size(), 0u);
}

// A journal another user could have written is not gone by; nor is a file that is no journal.
TEST_F(UndoLastTest, OnlyAJournalOfItsOwnIsUsed) {
    tree.File("Quellix.ini.last-purge", Old(), "not a journal\n");
    EXPECT_EQ(ReadLastRun(Journal()).state, LastRun::State::Refused);
    tree.File("Quellix.ini.last-purge", Old(), JournalText(""));
    EXPECT_EQ(ReadLastRun(Journal()).state, LastRun::State::Read);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chmod(Journal().c_str(), 0666), 0);
        EXPECT_EQ(ReadLastRun(Journal()).state, LastRun::State::Refused);
    }
}

}  // namespace
}  // namespace quellix::test
