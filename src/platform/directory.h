#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/native_handle.h"

namespace quellix::platform {

enum class EntryType { File, Directory, Symlink, Other, Unknown };

// What the purge needs to know of one entry, read without following a symbolic link. On Windows
// every reparse point (junction, symbolic link) is a Symlink, the read-only attribute is the
// owner's write bit, device and inode are the volume serial number and file ID, and owner and
// group stay 0 (see BelongsToThisUser).
struct EntryInfo {
    EntryType type = EntryType::Unknown;
    bool ownerWritable = true;
    std::int64_t modified = 0;  // seconds since the epoch, UTC
    std::int64_t accessed = 0;
    std::int64_t changed = 0;
    std::optional<std::int64_t> born;  // when the file system records it
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    unsigned mode = 0;  // permission bits, set-id and sticky bits
    unsigned owner = 0;
    unsigned group = 0;
    std::uint64_t links = 1;  // names of the file (hard links)
    std::int64_t size = 0;    // bytes
    bool mountRoot = false;   // a folder on which a file system is mounted
    // A cloud file whose content is elsewhere (Windows "online only" files): opening it would
    // download it, so nothing but its listing is read.
    bool cloudPlaceholder = false;

    bool SameEntryAs(const EntryInfo& other) const {
        return device == other.device && inode == other.inode;
    }
};

// An open folder. Every operation is relative to it, names are single components (any bytes but
// "/" and NUL; "", "." and ".." are refused with EINVAL; on Windows also "\" and ":") and
// symbolic links (on Windows every reparse point) are never followed, so a folder swapped for a
// link while the program works cannot send an action anywhere else.
class Directory {
  public:
    Directory() = default;
    ~Directory();
    Directory(Directory&& other) noexcept;
    Directory& operator=(Directory&& other) noexcept;
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;

    // Opens a folder by its path, following links (the configured folders may be links) but never
    // a link that another user could have planted to send the program elsewhere: a link in a
    // folder owned by a user other than root and than us must lead to something of that user's,
    // as systemd-tmpfiles demands, and so must a link owned by such a user (in a folder that
    // others may write to, such as /tmp, the link's maker is not the folder's owner). That rule
    // holds for every link met, including links met in the targets of links.
    static std::optional<Directory> Open(const std::string& path);
    // Opens a subfolder; fails when name is a symbolic link or not a folder.
    std::optional<Directory> OpenChild(std::string_view name) const;
    // A second handle on this same folder.
    std::optional<Directory> Duplicate() const;
    // The folder that holds this one now (which may differ from where it was opened).
    std::optional<Directory> OpenParent() const;
    // Opens the subfolder name, creating it first when it is missing, as a private folder that
    // then takes the permission bits of like (with the owner's own rights always kept) and, when
    // the program runs as root, its owner and group. A folder that exists is opened as it is.
    std::optional<Directory> OpenOrMakeChildLike(std::string_view name,
                                                 const EntryInfo& like) const;

    // Calls visit for every entry except "." and "..", in the order the file system gives them.
    // The type comes from the listing when the file system reports it, else Unknown. Returns
    // false when the folder could not be read. Each call lists from the start; visit may remove
    // the entry it is given.
    bool ForEachEntry(
        const std::function<void(std::string_view name, EntryType type)>& visit) const;
    // As ForEachEntry, ending the listing as soon as visit returns false: a look for one entry
    // then reads no further than the batch that held it.
    bool ForEachEntryWhile(
        const std::function<bool(std::string_view name, EntryType type)>& visit) const;

    // As ForEachEntry, with listed: what the listing itself told of an entry that must not be
    // opened to be examined (a cloud placeholder), else nullptr and Stat tells.
    bool ForEachEntryWithInfo(const std::function<void(std::string_view name, EntryType type,
                                                       const EntryInfo* listed)>& visit) const;

    std::optional<EntryInfo> Stat(std::string_view name) const;
    // The folder itself.
    std::optional<EntryInfo> StatSelf() const;

    // Each returns 0 on success, else the system's error number.
    // Adds the owner write bit. A symbolic link is left alone (0): Linux never checks a link's
    // own permissions. Needs /proc, through which the mode is changed on the very entry examined.
    int SetOwnerWritable(std::string_view name) const;
    int RemoveFile(std::string_view name) const;  // also removes a symbolic link
    int RemoveEmptyDirectory(std::string_view name) const;
    // EEXIST when it exists; mode is narrowed by the umask.
    int MakeDirectory(std::string_view name, unsigned mode = 0777) const;
    // Creates a symbolic link name pointing to target; never replaces anything.
    int MakeSymlink(std::string_view name, const std::string& target) const;
    // 0 when MakeSymlink(name, target) can be expected to succeed, else the error it would give
    // for the name or the target alone (EEXIST for a name taken; on Windows ENAMETOOLONG for a
    // target the shell cannot record), so that a file is not moved away before its link is sure.
    int CanMakeSymlink(std::string_view name, const std::string& target) const;
    // The target of the symbolic link name; nullopt when name is no link (on Windows, where the
    // shortcuts MakeSymlink leaves are shell links, nullopt always).
    std::optional<std::string> LinkTarget(std::string_view name) const;

    // True when no entry but the ones whose names start with "." is in the subfolder name.
    // nullopt when it cannot be listed.
    std::optional<bool> HasOnlyHiddenEntries(std::string_view name) const;

    // Another process (or another descriptor of this one) has the regular file open, or holds a
    // flock or record lock on it. FIFOs, sockets, devices and symbolic links are never opened and
    // never count as locked, nor does a file that cannot be opened. Seeing opens takes a file
    // lease, which needs the file to be ours (or CAP_LEASE) and a local file system; where that
    // is refused only locks are seen. A file someone holds a write lease on (Samba, the NFS
    // server) counts as locked, and the holder is asked to give the lease up.
    // seenAs is the type a walk has just read for the entry (saving a second look-up); Unknown
    // makes the probe look first.
    bool IsLocked(std::string_view name, EntryType seenAs = EntryType::Unknown) const;

    NativeHandle Descriptor() const { return fd_; }

  private:
    explicit Directory(NativeHandle fd) : fd_(fd) {}
    // Whether the folder is on a file system where only this machine's processes open and lock
    // files, so that a granted lease rules out every lock; asked once per handle.
    bool OnLocalFileSystem() const;

    NativeHandle fd_ = kNoHandle;
    mutable signed char localFileSystem_ = -1;  // -1: not asked yet
    // Where the handle's own read position stands (POSIX lists through it when it is free).
    enum class Listing : unsigned char { AtStart, Moved, Running };
    mutable Listing listing_ = Listing::AtStart;
};

// The entry is owned by the user the process acts as (its effective uid). Windows keeps no owner
// here to compare: it is always true there, and the checks built on it protect nothing.
bool BelongsToThisUser(const EntryInfo& entry);

// How many folders a walk may hold open at once: a share of the process's descriptor limit that
// leaves the rest for files, logs and moves; never fewer than kLeastFolderHandles.
std::size_t FolderHandleBudget();
inline constexpr std::size_t kLeastFolderHandles = 4;

// The entry at path, following links; nullopt when there is none.
std::optional<EntryInfo> StatPath(const std::string& path);

// Moves from/name to to/newName without ever replacing an existing entry. Within one file system
// this is a rename; across file systems a regular file or symbolic link has its data (or target),
// owner when permitted, mode and times copied, synced and put in place under the new name (still
// without replacing anything) and only then is the source removed; on any failure the source
// stays and no partial copy is left. Returns 0 or the error number: EEXIST when the target exists,
// EXDEV for a folder or special file that would have to cross file systems, EBUSY when the source
// changed while it was copied (the copy is then removed again, as it is when the source cannot be
// removed).
int MoveEntry(const Directory& from, std::string_view name, const Directory& to,
              std::string_view newName);

}  // namespace quellix::platform
