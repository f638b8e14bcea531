// A preview must say exactly what the run then does. Random trees (ages either side of the
// retention, read-only files and folders, files held open, links, empty and hidden-only folders,
// shortcut names that collide, destinations that are missing or blocked), random entries and
// options: the preview changes nothing at all, not even an access time, and the run that follows
// reports and logs the same outcomes, in the same order, and does just that to the files.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <random>
#include <set>

#include "core/mainwindow/count_pass.h"
#include "core/purge/day_logs.h"
#include "core/purge/purge_fixture.h"
#include "core/purge/purge_preview.h"
#include "platform/access_times.h"
#include "support/env_override.h"

namespace quellix {

void PrintTo(const PurgeOutcome& outcome, std::ostream* out) {
    *out << "{" << static_cast<int>(outcome.kind) << " " << outcome.folder << "|" << outcome.name
         << " -> " << outcome.destination << " " << outcome.movedTo << " err " << outcome.error
         << "/" << outcome.error2 << " bytes " << outcome.bytes << "}";
}

namespace test {
namespace {

// Every entry below a folder, with what stat tells of it, read without touching access times.
struct Seen {
    unsigned mode;
    std::int64_t size;
    std::int64_t modified;
    std::int64_t modifiedNs;
    std::int64_t accessed;
    std::int64_t accessedNs;
    std::string link;
    bool operator==(const Seen&) const = default;
};
using Snapshot = std::map<std::string, Seen>;

void Take(int folder, const std::string& path, Snapshot& into) {
    const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_NOATIME | O_CLOEXEC);
    ASSERT_GE(fd, 0) << path;
    DIR* listing = ::fdopendir(fd);
    ASSERT_NE(listing, nullptr);
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    for (const std::string& name : names) {
        struct stat info {};
        ASSERT_EQ(::fstatat(::dirfd(listing), name.c_str(), &info, AT_SYMLINK_NOFOLLOW), 0);
        Seen seen{info.st_mode,
                  info.st_size,
                  info.st_mtim.tv_sec,
                  info.st_mtim.tv_nsec,
                  info.st_atim.tv_sec,
                  info.st_atim.tv_nsec,
                  {}};
        if (S_ISLNK(info.st_mode)) {
            char target[4096];
            const ssize_t length =
                ::readlinkat(::dirfd(listing), name.c_str(), target, sizeof target);
            seen.link.assign(target, length > 0 ? static_cast<std::size_t>(length) : 0);
        }
        into[path + name] = seen;
        if (S_ISDIR(info.st_mode)) {
            const int child =
                ::openat(::dirfd(listing), name.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            Take(child, path + name + "/", into);
            ::close(child);
        }
    }
    ::closedir(listing);
}

Snapshot TakeSnapshot(const std::string& root) {
    Snapshot snapshot;
    const int fd = ::open(root.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    Take(fd, root + "/", snapshot);
    ::close(fd);
    return snapshot;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// One random tree, with its own trash and log folder, and the entries that purge it.
struct Scenario {
    FileTree tree;
    Settings settings;
    FolderList list;
    std::vector<int> held;

    ~Scenario() {
        for (const int fd : held) {
            ::close(fd);
        }
    }
};

constexpr FolderAction kActions[] = {FolderAction::Delete, FolderAction::RecycleBin,
                                     FolderAction::Move};

class PreviewExactness : public PurgeFixture {
  protected:
    void Build(std::mt19937& random, Scenario& s) {
        FileTree& t = s.tree;
        const auto chance = [&random](int percent) {
            return std::uniform_int_distribution<int>(0, 99)(random) < percent;
        };
        const auto pick = [&random](std::size_t count) {
            return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
        };
        // Either side of 24 hours by a minute, or far from it.
        const std::int64_t boundary = kNow - 24 * 3600;
        const std::int64_t ages[] = {Old(), Recent(), boundary - 60, boundary + 60, boundary};
        const char* names[] = {"a.txt",   "a.doc",   "b",       "c.lnk", "notes.md",
                               ".hidden", "x y.txt", "r_1.dat", "a"};
        std::vector<std::string> folders = {"in"};
        for (std::size_t i = 0; i < folders.size() && folders.size() < 7; ++i) {
            const auto depth = std::count(folders[i].begin(), folders[i].end(), '/');
            for (std::size_t n = pick(3); depth < 3 && n > 0; --n) {
                folders.push_back(folders[i] + "/sub" + std::to_string(folders.size()));
            }
        }
        for (const std::string& folder : folders) {
            t.Folder(folder);
        }
        for (const std::string& folder : folders) {
            std::set<std::string> used;
            for (std::size_t n = pick(6); n > 0; --n) {
                const std::string name = names[pick(std::size(names))];
                if (!used.insert(name).second) {
                    continue;
                }
                const std::string path = folder + "/" + name;
                const std::int64_t date = ages[pick(std::size(ages))];
                if (chance(10)) {
                    t.Link(path, chance(50) ? "a.txt" : "nowhere", date);
                    continue;
                }
                t.File(path, date, std::string(pick(100), 'x'));
                if (chance(20)) {
                    t.MakeReadOnly(path);
                }
                if (chance(12)) {
                    s.held.push_back(::open(t.Path(path).c_str(), O_RDONLY | O_CLOEXEC));
                }
            }
            // Folders left with a hidden file only, or empty and read-only.
            const bool leaf = std::none_of(folders.begin(), folders.end(), [&](const auto& other) {
                return other.starts_with(folder + "/");
            });
            if (folder != "in" && used.empty() && chance(30)) {
                t.File(folder + "/.keep", Old());
            } else if (folder != "in" && used.empty() && leaf && chance(30)) {
                t.MakeReadOnly(folder);
            }
        }

        s.settings.Logs = true;
        s.settings.PathLogs = t.Path("logs");
        t.Folder("logs");
        s.settings.TousFichiersObsoletes = chance(30);
        FolderEntry first = RandomEntry(t.Path("in") + "/", chance, pick);
        if (first.action == FolderAction::Move) {
            // Outside the tree, inside it, or missing; and sometimes a file where a mirror goes.
            const std::size_t where = pick(3);
            const std::string destination = where == 0 ? "dest" : where == 1 ? "in/dest" : "gone";
            if (where != 2) {
                t.Folder(destination);
                if (folders.size() > 1 && chance(30)) {
                    t.File(destination + folders[1].substr(2), Old());
                }
            }
            SetAction(first, FolderAction::Move, t.Path(destination) + "/", first.createShortcut);
        }
        s.list.Append(first);
        // A second entry inside the first one's tree sees what the first left.
        if (folders.size() > 1 && chance(40)) {
            FolderEntry second =
                RandomEntry(t.Path(folders[1 + pick(folders.size() - 1)]) + "/", chance, pick);
            t.Folder("dest2");
            SetAction(second, second.action, t.Path("dest2") + "/", second.createShortcut);
            s.list.Append(second);
        }
    }

    template <typename Chance, typename Pick>
    static FolderEntry RandomEntry(const std::string& path, Chance chance, Pick pick) {
        FolderEntry entry;
        entry.path = path;
        entry.retention = "24";
        entry.includeSubfolders = chance(80);
        entry.deleteEmptySubfolders = chance(60);
        entry.deleteReadOnly = chance(40);
        entry.date = chance(50) ? "M" : "A";
        const FolderAction action = kActions[pick(std::size(kActions))];
        SetAction(entry, action, "", action == FolderAction::Move && chance(50));
        return entry;
    }

    // Every folder's access time set far back, before its last change: a listing that marks
    // access would move it.
    static void AgeFolderAccessTimes(const Snapshot& snapshot) {
        for (const auto& [path, seen] : snapshot) {
            if (S_ISDIR(seen.mode)) {
                const timespec times[2] = {{EpochOf(2020, 1, 1), 0}, {0, UTIME_OMIT}};
                ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
            }
        }
    }
};

class RunRecorder final : public OutcomeSink {
  public:
    void Record(const PurgeOutcome& outcome) override { outcomes.push_back(outcome); }
    std::vector<PurgeOutcome> outcomes;
};

TEST_F(PreviewExactness, RandomTreesPreviewedThenPurged) {
    platform::LeaveAccessTimes();
    const char* asked = std::getenv("QUELLIX_PREVIEW_TREES");
    const int trees = asked != nullptr ? std::atoi(asked) : 200;
    const char* firstSeed = std::getenv("QUELLIX_PREVIEW_SEED");
    const unsigned seeds = firstSeed != nullptr ? static_cast<unsigned>(std::atoi(firstSeed)) : 1;
    std::size_t outcomesSeen = 0;
    std::set<OutcomeKind> kindsSeen;
    for (int i = 0; i < trees && !HasFatalFailure(); ++i) {
        const unsigned seed = seeds + static_cast<unsigned>(i);
        SCOPED_TRACE("QUELLIX_PREVIEW_SEED=" + std::to_string(seed));
        std::mt19937 random(seed);
        Scenario s;
        EnvOverride home("HOME", s.tree.Path("home"));
        EnvOverride data("XDG_DATA_HOME", s.tree.Path("home/data"));
        Build(random, s);

        AgeFolderAccessTimes(TakeSnapshot(s.tree.Root()));
        const Snapshot before = TakeSnapshot(s.tree.Root());
        PurgeEngine engine(s.settings, clock, frontEnd);
        CountPass({s.settings, s.list, frontEnd, service, engine, CountDepth::FirstFile});
        const PurgePreview preview = PreviewPurge(s.list, engine);
        ASSERT_EQ(TakeSnapshot(s.tree.Root()), before) << "the preview changed something";

        OperationLog log(s.settings, clock, service);
        log.Open();
        std::vector<std::string> lines;
        std::vector<PurgeOutcome> done;
        for (std::size_t e = 0; e < s.list.Size(); ++e) {
            const FolderEntry& entry = s.list.Entries()[e];
            const PurgePreview::Entry& shown = preview.entries.at(e);
            ASSERT_EQ(shown.skipped, entry.count.IsUnknown());
            if (shown.skipped) {
                continue;
            }
            RunRecorder recorder;
            PurgeRunState run;
            run.log = &log;
            run.outcomes = &recorder;
            engine.PurgeEntry(entry, run);
            // Only the run knows the name the trash gave: it holds the file and its info there.
            for (PurgeOutcome& outcome : recorder.outcomes) {
                if (outcome.kind == OutcomeKind::Recycled) {
                    EXPECT_TRUE(Exists(outcome.trashed.file) && Exists(outcome.trashed.info));
                    outcome.trashed = {};
                }
            }
            ASSERT_EQ(recorder.outcomes, shown.outcomes) << "entry " << e;
            for (const PurgeOutcome& outcome : shown.outcomes) {
                lines.push_back(
                    LogLineOf(LogLines(s.settings.language()), outcome, HtmlName(entry.date)));
                done.push_back(outcome);
            }
        }
        log.Close("end");

        // The log holds the preview's lines, in order.
        const std::string text = s.tree.Read("logs/" + DayLogName(clock.ToLocal(clock.Now())));
        std::size_t at = 0;
        for (const std::string& line : lines) {
            at = text.find(line + "\r\n", at);
            ASSERT_NE(at, std::string::npos) << line;
        }
        // The files: what was handled is gone from its place (a moved file is where it went,
        // with its shortcut left behind); everything else is still there.
        std::set<std::string> handled;
        for (const PurgeOutcome& outcome : done) {
            kindsSeen.insert(outcome.kind);
            if (outcome.kind == OutcomeKind::SubfolderRemoved) {
                handled.insert(outcome.folder);
            } else if (IsFileHandled(outcome.kind)) {
                handled.insert(outcome.folder + outcome.name);
            }
            if (outcome.kind == OutcomeKind::Moved) {
                EXPECT_TRUE(Exists(outcome.movedTo)) << outcome.movedTo;
                if (outcome.shortcut) {
                    EXPECT_TRUE(Exists(outcome.folder + ShortcutName(outcome.name)));
                }
            }
        }
        outcomesSeen += done.size();
        for (const auto& [path, unused] : before) {
            if (path.starts_with(s.tree.Path("in") + "/")) {
                EXPECT_EQ(Exists(path), !handled.contains(path)) << path;
            }
        }
        for (const std::string& path : handled) {
            EXPECT_FALSE(Exists(path)) << path;
        }
    }
    // The trees reached every kind of outcome but a refusal of the trash, which needs a trash
    // that refuses.
    if (trees >= 200) {
        kindsSeen.insert(OutcomeKind::NotRecycled);
        EXPECT_EQ(kindsSeen.size(), 9u);
        EXPECT_GT(outcomesSeen, static_cast<std::size_t>(trees));
    }
}

}  // namespace
}  // namespace test
}  // namespace quellix
