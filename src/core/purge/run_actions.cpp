#include "core/purge/folder_walk.h"
#include "core/purge/purge_actions.h"

namespace quellix {

namespace {

// The actions of a run: each changes the file system at once, but moves across file systems,
// which finish together when the folder is done.
class RunActions final : public PurgeActions {
  public:
    bool FolderStillThere(const platform::EntryInfo&) const override { return true; }
    bool StillThere(const platform::EntryInfo&, std::string_view) const override { return true; }
    bool GainedEntries(const platform::EntryInfo&) const override { return false; }

    void MakeOwnerWritable(const WorkFolder& at, std::string_view name) override {
        at.folder.SetOwnerWritable(name);
    }
    bool OwnerWritable(const platform::EntryInfo&, std::string_view,
                       const platform::EntryInfo& info) const override {
        return info.ownerWritable;
    }
    int RemoveFile(const WorkFolder& at, std::string_view name) override {
        return at.folder.RemoveFile(name);
    }
    int MoveToTrash(const WorkFolder& at, std::string_view name, const std::string& path,
                    std::int64_t now, platform::TrashFailure* failure,
                    platform::TrashPlace* place) override {
        return platform::MoveToTrash(at.folder, name, path, now, failure, place);
    }

    const platform::Directory* Mirror(FolderWalk& walk,
                                      const platform::Directory& destination) override {
        return walk.Mirror(walk.Depth(), destination);
    }
    void Move(const WorkFolder& from, std::string_view name, const platform::Directory& to,
              platform::MoveBatch::Outcome outcome) override {
        moves_.Move(from.folder, name, to, name, std::move(outcome));
    }
    int CanMakeShortcut(const WorkFolder& at, std::string_view linkName,
                        const std::string& target) const override {
        return at.folder.CanMakeSymlink(linkName, target);
    }
    int MakeShortcut(const WorkFolder& at, std::string_view linkName,
                     const std::string& target) override {
        return at.folder.MakeSymlink(linkName, target);
    }
    int MoveBack(const platform::Directory& from, std::string_view name,
                 const WorkFolder& to) override {
        return platform::MoveEntry(from, name, to.folder, name);
    }
    void FolderDone() override { moves_.Commit(); }

    std::optional<bool> EmptyOnceDone(const WorkFolder& at, std::string_view name,
                                      const platform::EntryInfo&) const override {
        return at.folder.HasOnlyHiddenEntries(name);
    }
    int RemoveEmptyFolder(const WorkFolder& at, std::string_view name,
                          const platform::EntryInfo&) override {
        return at.folder.RemoveEmptyDirectory(name);
    }

  private:
    platform::MoveBatch moves_;
};

}  // namespace

std::unique_ptr<PurgeActions> MakeRunActions() {
    return std::make_unique<RunActions>();
}

}  // namespace quellix
