#include "platform/move_batch.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/posix/component_name.h"
#include "platform/posix/cross_device_move.h"
#include "platform/posix/fd_io.h"
#include "platform/posix/move_temporary.h"
#include "platform/posix/rename_no_replace.h"

namespace quellix::platform {

namespace {

using FolderId = std::pair<dev_t, ino_t>;

// A folder handle of the batch's own: the caller may close its Directory once Move returns.
struct HeldFolder {
    FolderId id;
    posix::UniqueFd fd;
    posix::CopyFolder copies;
};

struct PendingMove {
    MoveBatch::Outcome outcome;
    int error = 0;
    bool waiting = false;  // a copy waits for the commit; else error is the outcome
    std::size_t from = 0;  // in the batch's folders
    std::size_t to = 0;
    std::string name;
    std::string newName;
    posix::WaitingCopy copy;
};

struct Batch {
    std::vector<HeldFolder> folders;
    std::vector<PendingMove> moves;  // in the order of the Move calls; none waits when empty
    std::size_t openCopies = 0;
    std::uint64_t bytes = 0;

    std::size_t Descriptors() const { return folders.size() + openCopies; }
    std::size_t Find(const FolderId& id) const {
        return static_cast<std::size_t>(
            std::find_if(folders.begin(), folders.end(),
                         [&](const HeldFolder& folder) { return folder.id == id; }) -
            folders.begin());
    }
};

int Identify(const Directory& folder, FolderId* id) {
    struct stat info {};
    if (::fstat(folder.Descriptor(), &info) != 0) {
        return errno;
    }
    *id = {info.st_dev, info.st_ino};
    return 0;
}

bool Eligible(const PendingMove& move) {
    return move.waiting && move.error == 0;
}

std::size_t DescriptorShare() {
    constexpr std::size_t kMost = 256;
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return kMost;
    }
    return std::min(static_cast<std::size_t>(limit.rlim_cur) / 4, kMost);
}

int SyncFolder(int fd) {
    // Some file systems cannot sync a folder (EINVAL) and keep their names safe without it.
    return posix::SyncFd(fd) || errno == EINVAL ? 0 : errno;
}

int SyncFileSystem(int fd) {
    return ::syncfs(fd) == 0 ? 0 : errno;
}

// What a move across file systems needs, read before its copy is made.
struct CopyPlan {
    struct stat listed {};
    FolderId from;
    FolderId to;
    std::uint64_t bytes = 0;
};

int Plan(const Directory& from, const char* name, const Directory& to, const char* newName,
         CopyPlan* plan) {
    if (::fstatat(from.Descriptor(), name, &plan->listed, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno;
    }
    if (!S_ISREG(plan->listed.st_mode) && !S_ISLNK(plan->listed.st_mode)) {
        return EXDEV;
    }
    // Taken already: no use copying.
    struct stat taken {};
    if (::fstatat(to.Descriptor(), newName, &taken, AT_SYMLINK_NOFOLLOW) == 0) {
        return EEXIST;
    }
    if (S_ISREG(plan->listed.st_mode)) {
        plan->bytes = static_cast<std::uint64_t>(plan->listed.st_size);
    }
    const int error = Identify(from, &plan->from);
    return error != 0 ? error : Identify(to, &plan->to);
}

}  // namespace

struct MoveBatch::State {
    MoveBatchOptions options;
    Batch batch;
    std::set<FolderId> cleaned;  // folders this batch has cleared of stale temporaries
    std::uint64_t syncs = 0;

    void Report(Outcome& outcome, int error);
    bool NeedsRoomFor(const CopyPlan& plan) const;
    bool Full() const;
    int StartCopy(const Directory& from, const char* name, const Directory& to, const char* newName,
                  const CopyPlan& plan, Outcome& outcome);
    int Hold(const Directory& folder, const FolderId& id, bool destination, std::size_t* index);
    enum class Step { Data, Names };
    void SyncDestinations(Batch& waiting, Step step);
    void Finish(Batch& waiting);
};

MoveBatch::MoveBatch() : MoveBatch(MoveBatchOptions{}) {}

MoveBatch::MoveBatch(const MoveBatchOptions& options) : state_(std::make_unique<State>()) {
    state_->options = options;
    // Room for a source folder, a destination folder and one copy.
    state_->options.descriptors = std::max<std::size_t>(
        options.descriptors == 0 ? DescriptorShare() : options.descriptors, 3);
}

MoveBatch::~MoveBatch() {
    Commit();
}

std::uint64_t MoveBatch::DestinationSyncs() const {
    return state_->syncs;
}

void MoveBatch::Move(const Directory& from, std::string_view name, const Directory& to,
                     std::string_view newName, Outcome outcome) {
    const posix::ComponentName source(name);
    const posix::ComponentName target(newName);
    int error = source.Valid() ? target.Error() : source.Error();
    if (error == 0) {
        error = posix::RenameNoReplace(from.Descriptor(), source.CStr(), to.Descriptor(),
                                       target.CStr());
    }
    CopyPlan plan;
    if (error == EXDEV && (error = Plan(from, source.CStr(), to, target.CStr(), &plan)) == 0) {
        if (state_->NeedsRoomFor(plan)) {
            Commit();
        }
        error = state_->StartCopy(from, source.CStr(), to, target.CStr(), plan, outcome);
        if (error == 0) {
            if (state_->Full()) {
                Commit();
            }
            return;
        }
    }
    state_->Report(outcome, error);
}

void MoveBatch::Commit() {
    if (state_->batch.moves.empty()) {
        return;
    }
    // Moves the outcomes ask for go to a new batch.
    Batch waiting = std::exchange(state_->batch, Batch{});
    state_->Finish(waiting);
    for (PendingMove& move : waiting.moves) {
        if (move.outcome) {
            move.outcome(move.error);
        }
    }
}

void MoveBatch::State::Report(Outcome& outcome, int error) {
    if (batch.moves.empty()) {
        if (outcome) {
            outcome(error);
        }
        return;
    }
    PendingMove& move = batch.moves.emplace_back();
    move.outcome = std::move(outcome);
    move.error = error;
}

bool MoveBatch::State::NeedsRoomFor(const CopyPlan& plan) const {
    const std::size_t newFolders = (batch.Find(plan.from) == batch.folders.size() ? 1 : 0) +
                                   (batch.Find(plan.to) == batch.folders.size() ? 1 : 0);
    return !batch.moves.empty() && (batch.Descriptors() + newFolders + 1 > options.descriptors ||
                                    batch.bytes + plan.bytes > options.bytes);
}

bool MoveBatch::State::Full() const {
    return batch.Descriptors() >= options.descriptors || batch.bytes >= options.bytes;
}

int MoveBatch::State::StartCopy(const Directory& from, const char* name, const Directory& to,
                                const char* newName, const CopyPlan& plan, Outcome& outcome) {
    PendingMove move;
    if (const int error = Hold(from, plan.from, false, &move.from); error != 0) {
        return error;
    }
    if (const int error = Hold(to, plan.to, true, &move.to); error != 0) {
        return error;
    }
    if (const int error = posix::MakeCopy(batch.folders[move.from].fd.Get(), name, plan.listed,
                                          batch.folders[move.to].copies, &move.copy);
        error != 0) {
        return error;
    }
    move.outcome = std::move(outcome);
    move.waiting = true;
    move.name = name;
    move.newName = newName;
    batch.openCopies += move.copy.file.Valid() ? 1 : 0;
    batch.bytes += plan.bytes;
    batch.moves.push_back(std::move(move));
    return 0;
}

int MoveBatch::State::Hold(const Directory& folder, const FolderId& id, bool destination,
                           std::size_t* index) {
    *index = batch.Find(id);
    if (*index < batch.folders.size()) {
        return 0;
    }
    posix::UniqueFd fd(::openat(folder.Descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.Valid()) {
        return errno;
    }
    if (destination && options.removeStaleTemporaries && cleaned.insert(id).second) {
        posix::RemoveStaleMoveTemporaries(fd.Get());
    }
    HeldFolder& held = batch.folders.emplace_back();
    held.id = id;
    held.copies.fd = fd.Get();
    held.fd = std::move(fd);
    return 0;
}

// Each destination file system once for all the batch's copies (or names) on it. A lone copy,
// or names all in one folder, are flushed by themselves: a file system flush would also wait for
// whatever else is being written there.
void MoveBatch::State::SyncDestinations(Batch& waiting, Step step) {
    struct Group {
        dev_t device;
        std::size_t folder;
        std::size_t count = 0;
        std::size_t first = 0;
        bool oneFolder = true;
    };
    std::vector<Group> groups;
    for (std::size_t i = 0; i < waiting.moves.size(); ++i) {
        const PendingMove& move = waiting.moves[i];
        if (!Eligible(move) || (step == Step::Names && !move.copy.placed)) {
            continue;
        }
        const dev_t device = waiting.folders[move.to].id.first;
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const Group& g) { return g.device == device; });
        if (group == groups.end()) {
            group = groups.insert(groups.end(), Group{device, move.to, 0, i, true});
        }
        group->oneFolder = group->oneFolder && group->folder == move.to;
        ++group->count;
    }
    for (const Group& group : groups) {
        const int folderFd = waiting.folders[group.folder].fd.Get();
        const posix::UniqueFd& lone = waiting.moves[group.first].copy.file;
        int error = 0;
        if (step == Step::Data) {
            error = group.count == 1 && lone.Valid() ? (posix::SyncFd(lone.Get()) ? 0 : errno)
                                                     : SyncFileSystem(folderFd);
        } else {
            error = group.oneFolder ? SyncFolder(folderFd) : SyncFileSystem(folderFd);
        }
        ++syncs;
        if (error == 0) {
            continue;
        }
        // Which copies the failure hit cannot be told: none of them is trusted.
        for (PendingMove& move : waiting.moves) {
            if (Eligible(move) && waiting.folders[move.to].id.first == group.device) {
                move.error = error;
            }
        }
    }
}

// Copies durable, then named, names durable, then sources removed: at no moment is a source
// gone before its copy is on disk under its new name.
void MoveBatch::State::Finish(Batch& waiting) {
    const auto fdOf = [&](std::size_t folder) { return waiting.folders[folder].fd.Get(); };
    SyncDestinations(waiting, Step::Data);
    for (PendingMove& move : waiting.moves) {
        if (Eligible(move)) {
            move.error =
                posix::PlaceCopy(move.copy, waiting.folders[move.to].copies, move.newName.c_str());
        }
    }
    SyncDestinations(waiting, Step::Names);
    for (PendingMove& move : waiting.moves) {
        if (!Eligible(move)) {
            continue;
        }
        // Written to, or replaced, since it was copied: the copy is not what would be removed.
        if (!posix::SourceUnchanged(fdOf(move.from), move.name.c_str(), move.copy.source)) {
            move.error = EBUSY;
        } else if (::unlinkat(fdOf(move.from), move.name.c_str(), 0) != 0) {
            move.error = errno;
        }
    }
    // Back to where each failed move started: one file, in its place. Keeping both would leave
    // a copy the caller believes was never made, and a move that fails again at every retry.
    for (PendingMove& move : waiting.moves) {
        if (move.waiting && move.error != 0) {
            posix::DiscardCopy(move.copy, fdOf(move.to), move.newName.c_str());
        }
    }
}

}  // namespace quellix::platform
