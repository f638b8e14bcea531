#pragma once

#include "core/common/folder_list.h"
#include "core/common/settings.h"

namespace quellix {

class FrontEnd;
class PurgeEngine;
class ServiceHost;

struct CountPassContext {
    const Settings& settings;
    FolderList& folders;
    FrontEnd& frontEnd;
    ServiceHost& service;
    PurgeEngine& engine;
};

// Refreshes every row's file count, marks folders and destinations that do not exist ("unknown",
// yellow) and sets the grand total.
void CountPass(const CountPassContext& context);

// Grand total from the count column as it stands (after a row is removed or edited).
void RecomputeTotal(FolderList& folders);

}  // namespace quellix
