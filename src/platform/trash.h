#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quellix::platform {

// The user's home trash folder ($XDG_DATA_HOME/Trash, else ~/.local/share/Trash); "" when there is
// no home, and on Windows, where the bin is the shell's.
std::string HomeTrashPath();

// The name of a trash folder of this user at the top of a mount: ".Trash" (shared, one folder per
// user inside) or ".Trash-$uid"; on Windows a volume's bin ("$Recycle.Bin", "RECYCLER",
// "RECYCLED").
bool IsTopdirTrashName(std::string_view name);

// The two numbers a failed move to the trash shows in the log: the system call's result and its
// aborted flag where the system reports them (the Windows shell), else the error number and 0.
struct TrashFailure {
    int result = 0;
    int aborted = 0;
};

// Where an entry sent to the trash went: the entry in the trash's files folder, and its info
// file; both empty where the system does not tell (the Windows Recycle Bin).
struct TrashPlace {
    std::string file;
    std::string info;
    bool operator==(const TrashPlace&) const = default;
};

// Sends folder/name to the freedesktop.org trash of its file system (the home trash on the home
// file system, else $topdir/.Trash/$uid or $topdir/.Trash-$uid of the folder's mount), so that file
// managers, gio and trash-cli list it with its original path absolutePath and can restore it. The
// entry is never copied: a trash it cannot be renamed into is an error. In a $topdir trash the
// path is recorded relative to $topdir when absolutePath lies under it. The info file is created
// first and exclusively, then the entry is moved in without replacing anything; on failure the
// info file is removed again. deletedAt (seconds since the epoch) is written as local time.
// Returns 0 or the error number, and fills failure and place when given.
// On Windows the entry goes to the Recycle Bin through the shell's delete with undo, and only
// when the bin really holds it afterwards (the shell deletes for good what its bin cannot take).
int MoveToTrash(const class Directory& folder, std::string_view name,
                const std::string& absolutePath, std::int64_t deletedAt,
                TrashFailure* failure = nullptr, TrashPlace* place = nullptr);

// Brings back the entry the Recycle Bin holds from originalPath, through the bin's own Restore:
// 0, ENOENT when the bin holds none, EEXIST when something is at that path now, or another error
// number. Elsewhere ENOSYS: a freedesktop trash tells where each entry went (TrashPlace).
int RestoreFromRecycleBin(const std::string& originalPath);

}  // namespace quellix::platform
