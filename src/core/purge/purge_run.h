#pragma once

#include <functional>

#include "core/common/folder_list.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "platform/clock.h"

namespace quellix {

class FrontEnd;
class PurgeEngine;
class ServiceHost;

struct PurgeRunContext {
    Settings& settings;
    FolderList& folders;
    ConfigStore& config;
    FrontEnd& frontEnd;
    ServiceHost& service;
    const platform::Clock& clock;
    PurgeEngine& engine;
    // The count of every entry, run after the purge so that the list shows what is left.
    std::function<void()> countPass;
};

// One purge of every entry of the list, in order: the day's log opened, each entry purged and
// its empty subfolders removed, the counts refreshed, the statistics written, the summary shown
// and logged.
void PurgeRun(const PurgeRunContext& context);

// "07 December 2026 - 10:00:00": the date with the full month name, then the long time.
std::string RunStartText(const platform::CivilTime& start);

}  // namespace quellix
