#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/common/folder_list.h"
#include "core/purge/purge_outcome.h"

namespace quellix {

class PurgeEngine;

// What a purge of every entry would do now.
struct PurgePreview {
    struct Totals {
        // Deleted, sent to the trash or moved, and their bytes.
        std::int64_t files = 0;
        std::int64_t bytes = 0;
        // Empty subfolders removed.
        std::int64_t folders = 0;
        // Left in use, and left for another reason (read-only, refused, no destination).
        std::int64_t locked = 0;
        std::int64_t left = 0;

        void Add(const PurgeOutcome& outcome);
        void Add(const Totals& other);
    };
    struct Entry {
        // The entry's place in the list, from 0.
        std::size_t index = 0;
        std::string path;
        // Passed over, as a run passes it: its folder or destination was missing at the last
        // count.
        bool skipped = false;
        std::vector<PurgeOutcome> outcomes;
        Totals totals;
    };
    std::vector<Entry> entries;
    Totals total;
};

// Each entry of the list, in order, through the purge engine with actions that change nothing:
// the same walk, age test, own-files and link rules, all-obsolete rule and empty-subfolder order
// as the run, and later entries see what earlier ones would have left. The list's counts say
// which entries a run would pass over.
PurgePreview PreviewPurge(const FolderList& folders, PurgeEngine& engine);

}  // namespace quellix
