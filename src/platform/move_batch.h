#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "platform/directory.h"

namespace quellix::platform {

struct MoveBatchOptions {
    // Open descriptors the batch may hold (its own folder handles and the copies waiting), and
    // bytes of copies waiting: when the next move would pass either, the batch commits first.
    // 0 descriptors: a quarter of the process's limit, at most 256 (each commit costs two
    // flushes, so the more copies it finishes the better), which leaves the walk its share.
    std::size_t descriptors = 0;
    std::uint64_t bytes = std::uint64_t{256} << 20;
    // The first copy into a folder removes what killed movers left there (see Move).
    bool removeStaleTemporaries = true;
};

// Moves entries without ever replacing anything. Within one file system a move is a rename, done
// at once. Across file systems the copy is made when Move is called and the move is finished
// (copies made durable under their new names, then sources removed) at the next Commit, which
// also happens by itself when the batch is full and when the batch is destroyed.
//
// Across file systems only regular files and symbolic links move; owner (when permitted), mode and
// times go with them. A copy waits unnamed where the file system allows it (nothing is left of it
// if the process dies), else under a hidden ".quellix-move-" name; the batch's first copy into a
// folder removes such names that no live mover owns. At Commit the copies are flushed to disk,
// named (never replacing anything), the names flushed too, and only then are the sources removed:
// one flush of each destination file system for all copies, and one for all names. On any failure
// the source stays and its copy goes. On Windows a move across volumes takes regular files only,
// without their owner. Not for use by several threads at once.
class MoveBatch {
  public:
    using Outcome = std::function<void(int error)>;  // 0 = moved, else the error number
    MoveBatch();
    explicit MoveBatch(const MoveBatchOptions& options);
    ~MoveBatch();  // commits
    MoveBatch(const MoveBatch&) = delete;
    MoveBatch& operator=(const MoveBatch&) = delete;

    // The errors of MoveEntry: EEXIST when newName is taken (also when it is taken between the
    // copy and the commit), EXDEV for folders and special files across file systems, EBUSY when
    // the source changed (written to, replaced, renamed away) between its copy and the commit...
    // outcome is called exactly once, in the order of the Move calls: before Move returns when
    // the move is done or failed at once and no earlier move waits, else from Commit, after every
    // file-system step of the batch, so it may use Directory methods and this batch. The caller
    // may close its Directory handles once Move returns.
    void Move(const Directory& from, std::string_view name, const Directory& to,
              std::string_view newName, Outcome outcome);
    void Commit();

    // Flushes of destination file systems done so far (two a commit of copies on one file
    // system, however many), for measurements and tests.
    std::uint64_t DestinationSyncs() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace quellix::platform
