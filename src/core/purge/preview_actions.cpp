#include <cerrno>
#include <set>
#include <tuple>

#include "core/purge/folder_walk.h"
#include "core/purge/purge_actions.h"

namespace quellix {

namespace {

using FolderKey = std::pair<std::uint64_t, std::uint64_t>;
using EntryKey = std::tuple<std::uint64_t, std::uint64_t, std::string>;

FolderKey KeyOf(const platform::EntryInfo& folder) {
    return {folder.device, folder.inode};
}

EntryKey KeyOf(const platform::EntryInfo& folder, std::string_view name) {
    return {folder.device, folder.inode, std::string(name)};
}

// The actions of a preview: nothing is changed; what would be gone, and what would appear, is
// kept by folder identity and name so that the rest of the preview sees the tree as the run would
// leave it. Errors only the attempt could tell (a file the system refuses to delete) are not
// foreseen.
class PreviewActions final : public PurgeActions {
  public:
    bool FolderStillThere(const platform::EntryInfo& self) const override {
        return !removedFolders_.contains(KeyOf(self));
    }
    bool StillThere(const platform::EntryInfo& folder, std::string_view name) const override {
        return !gone_.contains(KeyOf(folder, name));
    }
    bool GainedEntries(const platform::EntryInfo& folder) const override {
        return grown_.contains(KeyOf(folder));
    }

    void MakeOwnerWritable(const WorkFolder& at, std::string_view name) override {
        writable_.insert(KeyOf(at.self, name));
    }
    bool OwnerWritable(const platform::EntryInfo& folder, std::string_view name,
                       const platform::EntryInfo& info) const override {
        return info.ownerWritable || writable_.contains(KeyOf(folder, name));
    }
    int RemoveFile(const WorkFolder& at, std::string_view name) override {
        gone_.insert(KeyOf(at.self, name));
        return 0;
    }
    int MoveToTrash(const WorkFolder& at, std::string_view name, const std::string&, std::int64_t,
                    platform::TrashFailure*, platform::TrashPlace*) override {
        gone_.insert(KeyOf(at.self, name));
        return 0;
    }

    // The run makes the mirror's missing folders: it can when each one is either there as a
    // folder or missing (with everything below it).
    const platform::Directory* Mirror(FolderWalk& walk,
                                      const platform::Directory& destination) override {
        const std::string_view relative =
            std::string_view(walk.Path()).substr(walk.RootPathLength());
        if (!mirrorChecked_ || relative != mirrorPath_) {
            mirrorPath_ = std::string(relative);
            mirrorChecked_ = true;
            mirrorPossible_ = CanMirror(destination, relative);
        }
        return mirrorPossible_ ? &destination : nullptr;
    }
    void Move(const WorkFolder& from, std::string_view name, const platform::Directory&,
              platform::MoveBatch::Outcome outcome) override {
        gone_.insert(KeyOf(from.self, name));
        outcome(0);
    }
    int CanMakeShortcut(const WorkFolder& at, std::string_view linkName,
                        const std::string& target) const override {
        if (made_.contains(KeyOf(at.self, linkName))) {
            return EEXIST;
        }
        return at.folder.CanMakeSymlink(linkName, target);
    }
    int MakeShortcut(const WorkFolder& at, std::string_view linkName, const std::string&) override {
        made_.insert(KeyOf(at.self, linkName));
        grown_.insert(KeyOf(at.self));
        return 0;
    }
    int MoveBack(const platform::Directory&, std::string_view, const WorkFolder&) override {
        return 0;
    }
    // The next folder's moves have their own mirror (and perhaps another entry's destination).
    void FolderDone() override { mirrorChecked_ = false; }

    std::optional<bool> EmptyOnceDone(const WorkFolder& at, std::string_view name,
                                      const platform::EntryInfo& self) const override {
        if (grown_.contains(KeyOf(self))) {
            return false;
        }
        const auto folder = at.folder.OpenChild(name);
        if (!folder) {
            return std::nullopt;
        }
        bool empty = true;
        const bool listed = folder->ForEachEntry([&](std::string_view entry, platform::EntryType) {
            empty = empty && gone_.contains(KeyOf(self, entry));
        });
        return listed ? std::optional(empty) : std::nullopt;
    }
    int RemoveEmptyFolder(const WorkFolder& at, std::string_view name,
                          const platform::EntryInfo& self) override {
        gone_.insert(KeyOf(at.self, name));
        removedFolders_.insert(KeyOf(self));
        return 0;
    }

  private:
    static bool CanMirror(const platform::Directory& destination, std::string_view relative) {
        std::optional<platform::Directory> current;
        const platform::Directory* at = &destination;
        while (!relative.empty()) {
            const std::size_t end = relative.find_first_of("/\\");
            const std::string_view name = relative.substr(0, end);
            relative.remove_prefix(end == std::string_view::npos ? relative.size() : end + 1);
            auto next = at->OpenChild(name);
            if (!next) {
                // Missing, it would be made with everything below it; anything else is in the way.
                return !at->Stat(name).has_value();
            }
            current = std::move(next);
            at = &*current;
        }
        return true;
    }

    std::set<EntryKey> gone_;
    std::set<EntryKey> made_;
    std::set<EntryKey> writable_;
    std::set<FolderKey> grown_;
    std::set<FolderKey> removedFolders_;
    std::string mirrorPath_;
    bool mirrorChecked_ = false;
    bool mirrorPossible_ = false;
};

}  // namespace

std::unique_ptr<PurgeActions> MakePreviewActions() {
    return std::make_unique<PreviewActions>();
}

}  // namespace quellix
