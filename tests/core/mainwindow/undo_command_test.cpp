#include "core/mainwindow/undo_command.h"

#include <gtest/gtest.h>

#include "core/purge/run_journal.h"
#include "support/file_tree.h"
#include "support/scripted_front_end.h"

namespace quellix::test {
namespace {

// Nothing to undo, then a question that No answers, then Yes: the files come back, the report
// says how many and which stayed (in the list's language), and the list is counted again.
TEST(UndoLastPurgeCommand, AsksThenPutsBackThenCounts) {
    FileTree tree;
    Settings settings;
    settings.ProgramTitle = "Quellix";
    settings.JournalPath = tree.Path("Quellix.ini.last-purge");
    ScriptedFrontEnd frontEnd;
    int counts = 0;
    const auto countPass = [&counts] { ++counts; };

    UndoLastPurgeCommand(settings, frontEnd, countPass);
    ASSERT_EQ(frontEnd.messages.size(), 1u);
    EXPECT_EQ(frontEnd.messages[0].text,
              "Nothing to undo: the last purge moved no file and sent none to the trash.");

    tree.File("dest/a.txt", 1'000'000'000, "a");
    tree.File("dest/b.txt", 1'000'000'000, "b");
    tree.File("in/b.txt", 1'000'000'000, "someone else's");
    std::string journal(kJournalHeader);
    for (const char* name : {"a.txt", "b.txt"}) {
        journal += "\n" + JournalLine({JournalRecord::Kind::Moved, tree.Path("in/") + name,
                                       tree.Path("dest/") + name, "", false});
    }
    tree.File("Quellix.ini.last-purge", 1'000'000'000, journal + "\n");
    settings.Langue = 1;
    frontEnd.answers = {MessageAnswer::No};
    UndoLastPurgeCommand(settings, frontEnd, countPass);
    ASSERT_EQ(frontEnd.messages.size(), 2u);
    EXPECT_EQ(frontEnd.messages[1].text,
              "Remettre à leur place les 2 fichiers que la dernière purge a déplacés ou envoyés "
              "dans la Corbeille ?\n\nRien de ce qui s'y trouve maintenant ne sera remplacé. Les "
              "fichiers effacés ne peuvent pas revenir.");
    EXPECT_EQ(frontEnd.messages[1].defaultAnswer, MessageAnswer::No);
    EXPECT_FALSE(tree.Exists("in/a.txt"));
    EXPECT_EQ(counts, 0);

    frontEnd.answers = {MessageAnswer::Yes, MessageAnswer::Ok};
    UndoLastPurgeCommand(settings, frontEnd, countPass);
    ASSERT_EQ(frontEnd.messages.size(), 4u);
    EXPECT_EQ(frontEnd.messages[3].text,
              "1 fichier est revenu à sa place.\n\nLaissés là où la purge les a mis :\n" +
                  tree.Path("in/b.txt") + " (autre chose est à sa place)");
    EXPECT_EQ(tree.Read("in/a.txt"), "a");
    EXPECT_EQ(tree.Read("in/b.txt"), "someone else's");
    EXPECT_EQ(counts, 1);
}

}  // namespace
}  // namespace quellix::test
