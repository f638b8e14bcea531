#include "platform/move_batch.h"

#include <windows.h>
#include <winternl.h>

#include <cerrno>
#include <set>
#include <utility>

#include "platform/win32/cross_volume_move.h"
#include "platform/win32/error_numbers.h"
#include "platform/win32/nt_file.h"
#include "platform/win32/rename_entry.h"

namespace quellix::platform {

namespace {

using FolderId = std::pair<DWORD, std::uint64_t>;  // volume serial, file index

bool Identify(HANDLE folder, FolderId* id) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(folder, &info)) {
        return false;
    }
    *id = {info.dwVolumeSerialNumber,
           (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
    return true;
}

}  // namespace

// Every move is finished when Move returns: a rename at once, a copy across volumes made,
// flushed, named and its source removed in one go, so no outcome ever waits for Commit.
struct MoveBatch::State {
    MoveBatchOptions options;
    std::uint64_t syncs = 0;
    std::set<FolderId> cleaned;  // destinations already rid of dead movers' copies

    void CleanOnce(HANDLE folder) {
        FolderId id;
        if (!options.removeStaleTemporaries || !Identify(folder, &id) ||
            !cleaned.insert(id).second) {
            return;
        }
        win32::RemoveStaleMoveTemporaries(folder);
    }

    int Move(const Directory& from, std::string_view name, const Directory& to,
             std::string_view newName) {
        const win32::EntryName source(name);
        const win32::EntryName target(newName);
        if (!source.Valid() || !target.Valid()) {
            return !source.Valid() ? source.Error() : target.Error();
        }
        win32::RelativeOpen how;
        how.access = DELETE | FILE_READ_ATTRIBUTES;
        win32::UniqueHandle entry;
        if (const int error = win32::OpenRelative(from.Descriptor(), source.Wide(), how, &entry);
            error != 0) {
            return error;
        }
        const int error = win32::RenameNoReplace(entry.Get(), to.Descriptor(), target.Wide());
        if (error != EXDEV) {
            return error;
        }
        entry.Reset();
        CleanOnce(to.Descriptor());
        return win32::MoveAcrossVolumes(from.Descriptor(), source.Wide(), to.Descriptor(),
                                        target.Wide(), &syncs);
    }
};

MoveBatch::MoveBatch() : MoveBatch(MoveBatchOptions{}) {}

MoveBatch::MoveBatch(const MoveBatchOptions& options) : state_(std::make_unique<State>()) {
    state_->options = options;
}

MoveBatch::~MoveBatch() = default;

void MoveBatch::Move(const Directory& from, std::string_view name, const Directory& to,
                     std::string_view newName, Outcome outcome) {
    outcome(state_->Move(from, name, to, newName));
}

void MoveBatch::Commit() {}

std::uint64_t MoveBatch::DestinationSyncs() const {
    return state_->syncs;
}

}  // namespace quellix::platform
