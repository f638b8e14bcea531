#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/directory.h"
#include "platform/posix/component_name.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/folder_reader.h"

namespace quellix::platform {

namespace {

EntryType TypeOfListing(unsigned char type) {
    switch (type) {
        case DT_REG:
            return EntryType::File;
        case DT_DIR:
            return EntryType::Directory;
        case DT_LNK:
            return EntryType::Symlink;
        case DT_UNKNOWN:
            return EntryType::Unknown;
        default:
            return EntryType::Other;
    }
}

// A descriptor of its own for each listing: the folder's descriptor keeps no read position that
// a second listing, or one still running, would share.
posix::UniqueFd OpenForListing(int folderFd, const char* name, int extraFlags) {
    return posix::UniqueFd(posix::OpenAtKeepingAccessTime(
        folderFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | extraFlags));
}

}  // namespace

bool Directory::ForEachEntry(
    const std::function<void(std::string_view name, EntryType type)>& visit) const {
    return ForEachEntryWhile([&visit](std::string_view name, EntryType type) {
        visit(name, type);
        return true;
    });
}

bool Directory::ForEachEntryWhile(
    const std::function<bool(std::string_view name, EntryType type)>& visit) const {
    // The handle's own read position serves when no listing of it runs: a descriptor opened for
    // the listing alone costs an open and a close per folder, the most of a walk over many small
    // folders. A listing started from within another one gets a descriptor of its own.
    posix::UniqueFd own;
    int listed = fd_;
    if (listing_ == Listing::Running ||
        (listing_ == Listing::Moved && ::lseek(fd_, 0, SEEK_SET) != 0)) {
        own = OpenForListing(fd_, ".", 0);
        if (!own.Valid()) {
            return false;
        }
        listed = own.Get();
    }
    struct Release {
        Listing& state;
        bool ownPosition;
        ~Release() {
            if (ownPosition) {
                state = Listing::Moved;
            }
        }
    } release{listing_, listed == fd_};
    if (listed == fd_) {
        listing_ = Listing::Running;
    }
    posix::FolderReader reader(listed);
    std::string_view name;
    unsigned char type = DT_UNKNOWN;
    while (reader.Next(&name, &type)) {
        if (!visit(name, TypeOfListing(type))) {
            return true;
        }
    }
    return reader.Error() == 0;
}

// No file system here keeps a file's content elsewhere behind its listing: every entry may be
// examined with Stat.
bool Directory::ForEachEntryWithInfo(
    const std::function<void(std::string_view name, EntryType type, const EntryInfo* listed)>&
        visit) const {
    // Straight to the listing: the purge's walk comes here for every entry.
    return ForEachEntryWhile([&visit](std::string_view name, EntryType type) {
        visit(name, type, nullptr);
        return true;
    });
}

std::optional<bool> Directory::HasOnlyHiddenEntries(std::string_view name) const {
    const posix::ComponentName child(name);
    if (!child.Valid()) {
        return std::nullopt;
    }
    const posix::UniqueFd listing = OpenForListing(fd_, child.CStr(), O_NOFOLLOW);
    if (!listing.Valid()) {
        return std::nullopt;
    }
    posix::FolderReader reader(listing.Get());
    std::string_view entry;
    unsigned char type = DT_UNKNOWN;
    while (reader.Next(&entry, &type)) {
        if (entry.front() != '.') {
            return false;
        }
    }
    if (reader.Error() != 0) {
        return std::nullopt;
    }
    return true;
}

}  // namespace quellix::platform
