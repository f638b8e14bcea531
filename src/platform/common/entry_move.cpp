#include <cerrno>

#include "platform/directory.h"
#include "platform/move_batch.h"

namespace quellix::platform {

// A batch of one. It leaves stale temporaries to batches: listing the destination at every single
// move would cost more than the move.
int MoveEntry(const Directory& from, std::string_view name, const Directory& to,
              std::string_view newName) {
    MoveBatchOptions options;
    options.removeStaleTemporaries = false;
    MoveBatch batch(options);
    int result = EIO;
    batch.Move(from, name, to, newName, [&result](int error) { result = error; });
    batch.Commit();
    return result;
}

}  // namespace quellix::platform
