#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/directory.h"
#include "platform/move_batch.h"
#include "platform/trash.h"

namespace quellix {

class FolderWalk;

// A folder the purge works in, with what it is: a preview keeps its record by that identity.
struct WorkFolder {
    const platform::Directory& folder;
    const platform::EntryInfo& self;
};

// What a purge does to the file system, and nothing else: every decision is taken by the purge
// itself. A run's actions change the files; a preview's change nothing and keep a record of what
// would be gone, so that the rest of the same preview sees the tree as the run would.
class PurgeActions {
  public:
    virtual ~PurgeActions() = default;

    // Whether a folder (of an entry) or a listed entry is still there for the purge.
    virtual bool FolderStillThere(const platform::EntryInfo& self) const = 0;
    virtual bool StillThere(const platform::EntryInfo& folder, std::string_view name) const = 0;
    // Whether an earlier entry of a preview would have left something in the folder (a shortcut,
    // dated now and so never obsolete) that its listing cannot show.
    virtual bool GainedEntries(const platform::EntryInfo& folder) const = 0;

    virtual void MakeOwnerWritable(const WorkFolder& at, std::string_view name) = 0;
    // Whether the entry is writable by its owner now, MakeOwnerWritable included.
    virtual bool OwnerWritable(const platform::EntryInfo& folder, std::string_view name,
                               const platform::EntryInfo& info) const = 0;
    // Each returns 0 or the error number.
    virtual int RemoveFile(const WorkFolder& at, std::string_view name) = 0;
    virtual int MoveToTrash(const WorkFolder& at, std::string_view name, const std::string& path,
                            std::int64_t now, platform::TrashFailure* failure,
                            platform::TrashPlace* place) = 0;

    // The mirror of the walk's deepest folder under destination, made where missing; a preview
    // gives a stand-in for one it would make. nullptr when there can be none.
    virtual const platform::Directory* Mirror(FolderWalk& walk,
                                              const platform::Directory& destination) = 0;
    // outcome as MoveBatch gives it.
    virtual void Move(const WorkFolder& from, std::string_view name, const platform::Directory& to,
                      platform::MoveBatch::Outcome outcome) = 0;
    virtual int CanMakeShortcut(const WorkFolder& at, std::string_view linkName,
                                const std::string& target) const = 0;
    virtual int MakeShortcut(const WorkFolder& at, std::string_view linkName,
                             const std::string& target) = 0;
    // A moved file sent back, when its shortcut could not be left after all.
    virtual int MoveBack(const platform::Directory& from, std::string_view name,
                         const WorkFolder& to) = 0;
    // The end of a folder: the moves still waiting are finished.
    virtual void FolderDone() = 0;

    // Whether at's subfolder name holds nothing once the purge is through with it (the run
    // checks for no entry but hidden ones, and the removal then tells); nullopt when it cannot
    // be listed.
    virtual std::optional<bool> EmptyOnceDone(const WorkFolder& at, std::string_view name,
                                              const platform::EntryInfo& self) const = 0;
    virtual int RemoveEmptyFolder(const WorkFolder& at, std::string_view name,
                                  const platform::EntryInfo& self) = 0;
};

// The actions of a run, for one entry: its moves across file systems go in one batch.
std::unique_ptr<PurgeActions> MakeRunActions();

// The actions of a preview, for every entry of one preview.
std::unique_ptr<PurgeActions> MakePreviewActions();

}  // namespace quellix
