// Driver for the speed benchmark: runs the library's count and one purge run over a single folder
// entry, so that bench/run.sh can time them against GNU find.
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/headless_front_end.h"
#include "config/config_texts.h"
#include "config/ini_file.h"
#include "config/settings.h"
#include "mainwindow/folder_list.h"
#include "platform/clock.h"
#include "purge/purge_engine.h"
#include "purge/purge_run.h"
#include "service/systemd_service_host.h"

namespace {

int Usage() {
    std::cerr << "usage: quellix_bench count DIR\n"
                 "       quellix_bench purge DIR HOURS [--log LOGDIR]\n";
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

    // The row as the folder-list load builds it from the configuration keys.
    quellix::FolderList folders;
    quellix::FolderRow row;
    row.cells[quellix::kFileCountColumn] = "-";
    row.cells[quellix::kPathColumn] = quellix::WithTrailingSlash(folder);
    row.cells[quellix::kRetentionColumn] = hours;
    row.cells[quellix::kSubfoldersColumn] = quellix::texts::kYes.english;
    row.cells[quellix::kDateColumn] = "M";
    row.cells[quellix::kActionColumn] = quellix::texts::kDelete.english;
    row.styles[quellix::kActionColumn].bold = true;
    row.styles[quellix::kActionColumn].textColour = quellix::Settings::DeleteColour;
    folders.Append(std::move(row));
    folders.RefreshTitle(settings.language());
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
    if (args.size() == 5 && args[0] == "purge" && args[3] == "--log" && !args[4].empty()) {
        return Purge(args[1], args[2], args[4]);
    }
    return Usage();
}
