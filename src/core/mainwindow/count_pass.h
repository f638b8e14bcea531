#pragma once

#include "core/common/folder_list.h"
#include "core/common/settings.h"

namespace quellix {

class FrontEnd;
class PurgeEngine;
class ServiceHost;

// How far an entry's files are counted. Where no window shows the numbers, what a count decides
// is whether a folder or destination is missing (its entry is then not purged) and whether the
// grand total is zero (the immediate mode's "nothing to purge"): the first file found tells.
enum class CountDepth { EveryFile, FirstFile };

struct CountPassContext {
    const Settings& settings;
    FolderList& folders;
    FrontEnd& frontEnd;
    ServiceHost& service;
    PurgeEngine& engine;
    CountDepth depth;
};

// Refreshes every row's file count, marks folders and destinations that do not exist ("unknown",
// yellow) and sets the grand total. At CountDepth::FirstFile a count is 0 or 1 and the rows keep
// no rise or fall.
void CountPass(const CountPassContext& context);

// Grand total from the count column as it stands (after a row is removed or edited).
void RecomputeTotal(FolderList& folders);

}  // namespace quellix
