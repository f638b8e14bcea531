#include "core/mainwindow/count_pass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/purge/purge_engine.h"
#include "support/fake_clock.h"
#include "support/fake_service_host.h"
#include "support/file_tree.h"
#include "support/folder_entries.h"
#include "support/scripted_front_end.h"

namespace quellix {
namespace {

namespace fs = std::filesystem;
using test::EpochOf;

const std::int64_t kOld = EpochOf(2026, 1, 1, 12);
const std::optional<Colour> kYellow = Settings::MissingColour;
const std::optional<Colour> kWhite = Settings::NormalColour;

FolderEntry Row(const std::string& count, const std::string& path,
                const std::string& subfolders = "no", const std::string& action = "Delete") {
    return test::EntryOf({count, path, "24", subfolders, "M", action});
}

class CountPassTest : public ::testing::Test {
  protected:
    void Pass(CountDepth depth = CountDepth::EveryFile) {
        settings.NbPaths = static_cast<std::int32_t>(folders.Size());
        CountPass({settings, folders, frontEnd, service, engine, depth});
    }
    FolderEntry& RowAt(std::size_t i) { return folders.Entries().at(i); }
    std::string Cell(std::size_t i, FolderColumn column) {
        return test::CellOf(RowAt(i), column, settings.language());
    }
    CellStyle Style(std::size_t i, FolderColumn column) { return test::StyleOf(RowAt(i), column); }
    // n files named f0, f1, ... in the tree folder relative.
    void Files(const std::string& relative, int n) {
        tree.Folder(relative);
        for (int i = 0; i < n; ++i) {
            tree.File(relative + "/f" + std::to_string(i), kOld);
        }
    }

    test::FileTree tree;
    Settings settings;
    test::FakeClock clock{EpochOf(2026, 12, 7, 10)};
    test::ScriptedFrontEnd frontEnd;
    test::FakeServiceHost service;
    PurgeEngine engine{settings, clock, frontEnd};
    FolderList folders;
};

TEST_F(CountPassTest, FirstPassWritesCountsWithoutPictures) {
    Files("a", 3);
    tree.Folder("b");
    folders.Append(Row("-", tree.Path("a")));
    folders.Append(Row("-", tree.Path("b") + "/"));

    Pass();

    EXPECT_EQ(Cell(0, kFileCountColumn), "3");
    EXPECT_EQ(Cell(1, kFileCountColumn), "0");
    for (const FolderEntry& row : folders.Entries()) {
        EXPECT_EQ(test::StyleOf(row, kFileCountColumn).trend, CountTrend::None);
        EXPECT_EQ(test::StyleOf(row, kFileCountColumn).background, kWhite);
        EXPECT_EQ(test::StyleOf(row, kPathColumn).background, kWhite);
    }
    EXPECT_EQ(folders.GrandTotal(), 3);
    EXPECT_EQ(TotalHeader(folders, settings.language()), "Total files\n3");
    EXPECT_TRUE(service.events.empty());
}

TEST_F(CountPassTest, PictureFollowsTheLastChange) {
    struct Step {
        int files;
        const char* count;
        CountTrend trend;
    };
    const Step steps[] = {
        {10, "10", CountTrend::None}, {12, "12", CountTrend::Rise}, {12, "12", CountTrend::Rise},
        {7, "7", CountTrend::Fall},   {7, "7", CountTrend::Fall},   {0, "0", CountTrend::Fall},
        {1, "1", CountTrend::Rise},
    };
    tree.Folder("a");
    folders.Append(Row("-", tree.Path("a")));
    for (const Step& step : steps) {
        SCOPED_TRACE(step.count);
        fs::remove_all(tree.Path("a"));
        Files("a", step.files);
        Pass();
        EXPECT_EQ(Cell(0, kFileCountColumn), step.count);
        EXPECT_EQ(Style(0, kFileCountColumn).trend, step.trend);
        EXPECT_EQ(folders.GrandTotal(), step.files);
    }
}

// Without a window the counts decide only which entries are missing and whether anything is there
// to purge: both must come out as a full count gives them, while the walk ends at the first file.
TEST_F(CountPassTest, FirstFileDepthDecidesAsAFullCountAndStopsEarly) {
    struct Case {
        const char* name;
        std::vector<std::string> files;  // relative to the entry's folder
        const char* subfolders;
        std::int64_t total;  // at CountDepth::FirstFile
    };
    const Case cases[] = {
        {"empty", {}, "yes", 0},
        {"files below only, subfolders left out", {"s/t/f"}, "no", 0},
        {"deep file, subfolders walked", {"s/t/u/f"}, "yes", 1},
        {"many files", {"f1", "f2", "s/f3"}, "yes", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(tree.Path("a"));
        tree.Folder("a/x/y");  // empty subfolders as well
        for (const std::string& file : c.files) {
            tree.File("a/" + file, kOld);
        }
        settings.IsNt = true;
        service.installed = true;
        for (const CountDepth depth : {CountDepth::EveryFile, CountDepth::FirstFile}) {
            service.events.clear();
            folders.Clear();
            folders.Append(Row("-", tree.Path("a"), c.subfolders));
            folders.Append(Row("-", tree.Path("gone")));
            folders.Append(Row("-", tree.Path("a"), "no", "Move"));
            Pass(depth);
            EXPECT_EQ(folders.GrandTotal() != 0, c.total != 0);
            if (depth == CountDepth::FirstFile) {
                EXPECT_EQ(RowAt(0).count, FileCount::Of(c.total));
            }
            EXPECT_TRUE(RowAt(1).count.IsUnknown());
            EXPECT_TRUE(RowAt(2).count.IsUnknown());  // a move to no folder
            EXPECT_EQ(service.events.size(), 2u);
        }
    }

    // A hundred folders of files: the first file ends the walk, so that only the root and the
    // folders on the way to that file are listed.
    fs::remove_all(tree.Path("a"));
    for (int i = 0; i < 100; ++i) {
        Files("a/d" + std::to_string(i), 2);
    }
    folders.Clear();
    folders.Append(Row("-", tree.Path("a"), "yes"));
    for (const CountDepth depth : {CountDepth::EveryFile, CountDepth::FirstFile}) {
        frontEnd.calls.clear();
        Pass(depth);
        const auto listed = std::count(frontEnd.calls.begin(), frontEnd.calls.end(),
                                       std::string("ProcessPendingEvents"));
        if (depth == CountDepth::EveryFile) {
            EXPECT_EQ(Cell(0, kFileCountColumn), "200");
            EXPECT_EQ(listed, 101);
        } else {
            EXPECT_EQ(Cell(0, kFileCountColumn), "1");
            EXPECT_EQ(listed, 2);
        }
    }
}

TEST_F(CountPassTest, MissingFolderIsUnknownAndLeftOutOfTheTotal) {
    struct Case {
        std::int16_t langue;
        bool isNt;
        bool installed;
        const char* unknown;
        const char* event;  // nullptr: none
        const char* header;
    };
    const Case cases[] = {
        {0, true, true, "unknown", "Unknown folder: ", "Total files\n4"},
        {0, true, false, "unknown", nullptr, "Total files\n4"},
        {0, false, true, "unknown", nullptr, "Total files\n4"},
        {0, false, false, "unknown", nullptr, "Total files\n4"},
        {1, true, true, "inconnu", "Dossier inconnu: ", "Total fichiers\n4"},
        {1, false, false, "inconnu", nullptr, "Total fichiers\n4"},
    };
    Files("here", 4);
    tree.File("plain.txt", kOld);
    const std::vector<std::string> missing = {
        tree.Path("gone"),       // never existed
        tree.Path("plain.txt"),  // a file, not a folder
        "relative/folder",       // not an absolute path
        "",
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Langue " << c.langue << " IsNt " << c.isNt
                                        << " installed " << c.installed);
        settings.Langue = c.langue;
        settings.IsNt = c.isNt;
        service.installed = c.installed;
        service.events.clear();
        folders.Clear();
        folders.Append(Row("5", tree.Path("here")));
        for (const std::string& path : missing) {
            folders.Append(Row("7", path));
        }

        Pass();

        EXPECT_EQ(Cell(0, kFileCountColumn), "4");
        for (std::size_t i = 1; i < folders.Size(); ++i) {
            const std::string& path = RowAt(i).path;
            EXPECT_EQ(Cell(i, kFileCountColumn), c.unknown) << path;
            EXPECT_EQ(Style(i, kPathColumn).background, kYellow) << path;
            EXPECT_EQ(Style(i, kFileCountColumn).background, kYellow) << path;
            EXPECT_EQ(Style(i, kFileCountColumn).trend, CountTrend::None);
        }
        EXPECT_EQ(folders.GrandTotal(), 4);
        EXPECT_EQ(TotalHeader(folders, settings.language()), c.header);
        if (c.event == nullptr) {
            EXPECT_TRUE(service.events.empty());
        } else {
            ASSERT_EQ(service.events.size(), missing.size());
            for (std::size_t i = 0; i < missing.size(); ++i) {
                EXPECT_EQ(service.events[i].first, c.event + missing[i]);
                EXPECT_EQ(service.events[i].second, EventType::Error);
            }
        }
    }
}

TEST_F(CountPassTest, FolderComingBackGetsItsCountWithoutANewPicture) {
    Files("a", 2);
    folders.Append(Row("-", tree.Path("a")));
    Pass();
    tree.File("a/extra", kOld);
    Pass();
    ASSERT_EQ(Cell(0, kFileCountColumn), "3");
    ASSERT_EQ(Style(0, kFileCountColumn).trend, CountTrend::Rise);

    fs::remove_all(tree.Path("a"));
    Pass();
    EXPECT_EQ(Cell(0, kFileCountColumn), "unknown");
    EXPECT_EQ(Style(0, kPathColumn).background, kYellow);
    EXPECT_EQ(Style(0, kFileCountColumn).background, kYellow);
    EXPECT_EQ(folders.GrandTotal(), 0);

    // Back with fewer files than before it vanished: the old picture stays.
    Files("a", 1);
    Pass();
    EXPECT_EQ(Cell(0, kFileCountColumn), "1");
    EXPECT_EQ(Style(0, kFileCountColumn).trend, CountTrend::Rise);
    EXPECT_EQ(Style(0, kPathColumn).background, kWhite);
    EXPECT_EQ(Style(0, kFileCountColumn).background, kWhite);
    EXPECT_EQ(folders.GrandTotal(), 1);
}

TEST_F(CountPassTest, MissingDestinationIsUnknownButCounted) {
    Files("src", 3);
    tree.Folder("dest");
    struct Case {
        std::string action;
        bool destinationExists;
    };
    const Case cases[] = {
        {tree.Path("dest"), true},
        {tree.Path("dest") + "/", true},
        {"[+S] " + tree.Path("dest"), true},
        {tree.Path("nowhere"), false},
        {"[+S] " + tree.Path("nowhere"), false},
        {"[+S]" + tree.Path("dest"), false},  // without the blank it is part of the path
        {"relative/dest", false},
        {"", false},  // no action chosen
    };
    settings.IsNt = true;
    service.installed = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        service.events.clear();
        folders.Clear();
        folders.Append(Row("-", tree.Path("src"), "no", c.action));

        Pass();

        const FolderEntry& row = RowAt(0);
        EXPECT_EQ(test::CellOf(row, kFileCountColumn, Language::English),
                  c.destinationExists ? "3" : "unknown");
        EXPECT_EQ(test::StyleOf(row, kActionColumn).background,
                  c.destinationExists ? kWhite : kYellow);
        EXPECT_EQ(test::StyleOf(row, kFileCountColumn).background,
                  c.destinationExists ? kWhite : kYellow);
        EXPECT_EQ(test::StyleOf(row, kPathColumn).background, kWhite);
        EXPECT_EQ(test::CellOf(row, kActionColumn, Language::English), c.action);
        EXPECT_EQ(folders.GrandTotal(), 3);
        if (c.destinationExists) {
            EXPECT_TRUE(service.events.empty());
        } else {
            ASSERT_EQ(service.events.size(), 1u);
            const std::string destination =
                c.action.starts_with("[+S] ") ? c.action.substr(5) : c.action;
            EXPECT_EQ(service.events[0].first, "Unknown folder: " + destination);
            EXPECT_EQ(service.events[0].second, EventType::Error);
        }
    }
}

TEST_F(CountPassTest, MissingFolderAndDestinationGiveTwoEvents) {
    settings.IsNt = true;
    service.installed = true;
    folders.Append(Row("-", tree.Path("src"), "no", tree.Path("dest")));
    Pass();
    EXPECT_EQ(Cell(0, kFileCountColumn), "unknown");
    EXPECT_EQ(Style(0, kPathColumn).background, kYellow);
    EXPECT_EQ(Style(0, kActionColumn).background, kYellow);
    ASSERT_EQ(service.events.size(), 2u);
    EXPECT_EQ(service.events[0].first, "Unknown folder: " + tree.Path("src"));
    EXPECT_EQ(service.events[1].first, "Unknown folder: " + tree.Path("dest"));
}

TEST_F(CountPassTest, DestinationComingBackShowsTheCount) {
    Files("src", 2);
    folders.Append(Row("-", tree.Path("src"), "no", tree.Path("dest")));
    Pass();
    ASSERT_EQ(Cell(0, kFileCountColumn), "unknown");

    tree.Folder("dest");
    Pass();
    EXPECT_EQ(Cell(0, kFileCountColumn), "2");
    EXPECT_EQ(Style(0, kFileCountColumn).trend, CountTrend::None);
    EXPECT_EQ(Style(0, kActionColumn).background, kWhite);
    EXPECT_EQ(Style(0, kFileCountColumn).background, kWhite);
}

TEST_F(CountPassTest, OtherActionsHaveNoDestinationToTest) {
    Files("src", 1);
    for (const char* action : {"Delete", "Effacer", "Recycle Bin", "Corbeille"}) {
        SCOPED_TRACE(action);
        folders.Clear();
        folders.Append(Row("-", tree.Path("src"), "no", action));
        Pass();
        EXPECT_EQ(Cell(0, kFileCountColumn), "1");
        EXPECT_EQ(Style(0, kActionColumn).background, std::nullopt);
    }
}

TEST_F(CountPassTest, CountsEveryEntryButFolders) {
    tree.File("root/a.txt", kOld);
    tree.File("root/.hidden", kOld);
    tree.Link("root/link-to-file", "a.txt", kOld);
    tree.Link("root/link-to-folder", "sub", kOld);
    tree.Link("root/dangling", "no such file", kOld);
    tree.Fifo("root/pipe", kOld);
    tree.File("root/sub/b.txt", kOld);
    tree.File("root/sub/.h", kOld);
    tree.File("root/sub/deeper/c.txt", kOld);
    tree.Folder("root/sub/deeper/empty");
    tree.Folder("root/.hidden-folder");
    tree.File("root/.hidden-folder/d.txt", kOld);
    // The configured folder may itself be a link.
    tree.Link("root-link", "root", kOld);

    const std::pair<const char*, int> cases[] = {
        {"no", 6},   {"non", 6},      {"no [D]", 6},        {"non [RO]", 6},  {"yes", 10},
        {"oui", 10}, {"yes [D]", 10}, {"oui [D] [RO]", 10}, {"yes [RO]", 10},
    };
    for (const auto& [subfolders, count] : cases) {
        SCOPED_TRACE(subfolders);
        folders.Clear();
        folders.Append(Row("-", tree.Path("root"), subfolders));
        folders.Append(Row("-", tree.Path("root-link"), subfolders));
        Pass();
        EXPECT_EQ(Cell(0, kFileCountColumn), std::to_string(count));
        EXPECT_EQ(Cell(1, kFileCountColumn), std::to_string(count));
        EXPECT_EQ(folders.GrandTotal(), 2 * count);
    }
}

TEST_F(CountPassTest, ProgressAndTotalThroughTheFrontEnd) {
    struct Case {
        std::int16_t langue;
        const char* progress;
        const char* header;
    };
    const Case cases[] = {
        {0, "Update: ", "Total files\n6"},
        {1, "Mise à jour en cours: ", "Total fichiers\n6"},
    };
    Files("a", 1);
    Files("b", 2);
    Files("c", 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.progress);
        settings.Langue = c.langue;
        frontEnd.calls.clear();
        folders.Clear();
        for (const char* name : {"a", "b", "c"}) {
            folders.Append(Row("-", tree.Path(name)));
        }

        Pass();

        std::vector<std::string> shown;
        for (const std::string& call : frontEnd.calls) {
            if (call != "ProcessPendingEvents") {
                shown.push_back(call);
            }
        }
        const std::string status = std::string("SetStatusText(") + c.progress;
        EXPECT_EQ(shown, (std::vector<std::string>{"SetBusyVisible(true)", status + "1/3)",
                                                   status + "2/3)", status + "3/3)",
                                                   "SetBusyVisible(false)", "FolderListChanged"}));
        EXPECT_EQ(folders.GrandTotal(), 6);
        EXPECT_EQ(TotalHeader(folders, settings.language()), c.header);
    }
}

TEST(RecomputeTotal, SumsTheCountsAndLeavesThemAlone) {
    FolderList folders;
    for (const FileCount count : {FileCount::Of(5), FileCount::Unknown(), FileCount{},
                                  FileCount::Of(12), FileCount::Of(0), FileCount::Of(17)}) {
        FolderEntry entry;
        entry.count = count;
        folders.Append(entry);
    }
    const std::vector<FolderEntry> before = folders.Entries();
    // Never blank, not even before the first count.
    EXPECT_EQ(TotalHeader(folders, Language::English), "Total files\n-");

    RecomputeTotal(folders);
    EXPECT_EQ(folders.GrandTotal(), 5 + 12 + 17);
    EXPECT_EQ(TotalHeader(folders, Language::English), "Total files\n34");
    EXPECT_EQ(TotalHeader(folders, Language::French), "Total fichiers\n34");
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(folders.Entries()[i].count, before[i].count);
    }

    FolderList empty;
    RecomputeTotal(empty);
    EXPECT_EQ(empty.GrandTotal(), 0);
    EXPECT_EQ(TotalHeader(empty, Language::English), "Total files\n0");
}

}  // namespace
}  // namespace quellix
