// Driver for the speed benchmark: runs the library's count and one purge run over a single folder
// entry, so that bench/run.sh can time them against GNU find; and moves a tree to another file
// system through the platform's move batch, to time against mv.
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/headless_front_end.h"
#include "core/common/folder_list.h"
#include "core/common/settings.h"
#include "core/config/config_texts.h"
#include "core/config/ini_file.h"
#include "core/dialogs/folder_choice_rules.h"
#include "core/purge/purge_engine.h"
#include "core/purge/purge_run.h"
#include "core/service/systemd_service_host.h"
#include "platform/clock.h"
#include "platform/directory.h"
#include "platform/move_batch.h"

namespace {

int Usage() {
    std::cerr << "usage: quellix_bench count DIR\n"
                 "       quellix_bench purge DIR HOURS [--log LOGDIR]\n"
                 "       quellix_bench move DIR DEST\n";
    return 2;
}

int Count(const std::string& folder) {
    quellix::Settings settings;
    quellix::SetBuildVersion(settings);
    quellix::HeadlessFrontEnd frontEnd(std::cerr);
    quellix::PurgeEngine engine(settings, quellix::platform::SystemClock(), frontEnd);
    std::cout << engine.CountFiles(folder, true) << '\n';
    return 0;
}

int Purge(const std::string& folder, const std::string& hours, const std::string& logFolder) {
    quellix::Settings settings;
    quellix::SetBuildVersion(settings);
    settings.Logs = !logFolder.empty();
    settings.PathLogs = logFolder;

    // The entry as the folder-list load builds it from the configuration keys.
    quellix::FolderList folders;
    quellix::FolderEntry entry;
    entry.path = quellix::WithTrailingSlash(folder);
    entry.retention = hours;
    entry.includeSubfolders = true;
    quellix::SetAction(entry, quellix::FolderAction::Delete);
    folders.Append(std::move(entry));
    settings.NbPaths = 1;

    const quellix::platform::Clock& clock = quellix::platform::SystemClock();
    quellix::HeadlessFrontEnd frontEnd(std::cerr);
    quellix::MemoryConfigStore statistics;
    quellix::SystemdServiceHost service(std::vector<std::string>{}, false);
    quellix::PurgeEngine engine(settings, clock, frontEnd);
    // The count after the run is left out: it would walk the tree a second time, and the
    // comparison with find is about the purge itself.
    const quellix::PurgeRunContext context{settings, folders, statistics, frontEnd,
                                           service,  clock,   engine,     [] {}};
    quellix::PurgeRun(context);
    std::cout << settings.NbDernierePurge << '\n';
    return 0;
}

struct MoveCounts {
    std::uint64_t moved = 0;
    std::uint64_t failed = 0;
};

// Moves every file of from into to and every subfolder's files into a subfolder of the same name,
// committing at the end of each folder's listing as the purge does, and removes the emptied
// source folders, as mv does.
void MoveFolder(quellix::platform::MoveBatch& batch, const quellix::platform::Directory& from,
                const quellix::platform::Directory& to, MoveCounts& counts) {
    using quellix::platform::EntryType;
    std::vector<std::string> folders;
    from.ForEachEntry([&](std::string_view name, EntryType type) {
        if (type == EntryType::Unknown) {
            const auto info = from.Stat(name);
            type = info ? info->type : EntryType::Unknown;
        }
        if (type == EntryType::Directory) {
            folders.emplace_back(name);
            return;
        }
        batch.Move(from, name, to, name,
                   [&counts](int error) { ++(error == 0 ? counts.moved : counts.failed); });
    });
    batch.Commit();
    for (const std::string& name : folders) {
        to.MakeDirectory(name);
        const auto fromChild = from.OpenChild(name);
        const auto toChild = to.OpenChild(name);
        if (!fromChild || !toChild) {
            ++counts.failed;
            continue;
        }
        MoveFolder(batch, *fromChild, *toChild, counts);
        from.RemoveEmptyDirectory(name);
    }
}

int MoveTree(const std::string& folder, const std::string& destination) {
    const auto from = quellix::platform::Directory::Open(folder);
    const auto to = quellix::platform::Directory::Open(destination);
    if (!from || !to) {
        std::cerr << "quellix_bench: cannot open " << (from ? destination : folder) << '\n';
        return 1;
    }
    MoveCounts counts;
    quellix::platform::MoveBatch batch;
    MoveFolder(batch, *from, *to, counts);
    std::cout << counts.moved << '\n';
    if (counts.failed != 0) {
        std::cerr << "quellix_bench: " << counts.failed << " moves failed\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    // As the program does, so that the log's dates are formatted the same way.
    quellix::platform::UseUserTimeLocale();
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (args.size() == 2 && args[0] == "count") {
        return Count(args[1]);
    }
    if (args.size() == 3 && args[0] == "purge") {
        return Purge(args[1], args[2], "");
    }
    if (args.size() == 3 && args[0] == "move") {
        return MoveTree(args[1], args[2]);
    }
    if (args.size() == 5 && args[0] == "purge" && args[3] == "--log" && !args[4].empty()) {
        return Purge(args[1], args[2], args[4]);
    }
    return Usage();
}
