#include <cerrno>

#include "platform/directory.h"
#include "platform/posix/component_name.h"
#include "platform/posix/cross_device_move.h"
#include "platform/posix/rename_no_replace.h"

namespace quellix::platform {

int MoveEntry(const Directory& from, std::string_view name, const Directory& to,
              std::string_view newName) {
    const posix::ComponentName source(name);
    const posix::ComponentName target(newName);
    if (!source.Valid()) {
        return source.Error();
    }
    if (!target.Valid()) {
        return target.Error();
    }
    const int error =
        posix::RenameNoReplace(from.Descriptor(), source.CStr(), to.Descriptor(), target.CStr());
    if (error != EXDEV) {
        return error;
    }
    return posix::MoveAcrossFileSystems(from.Descriptor(), source.CStr(), to.Descriptor(),
                                        target.CStr());
}

}  // namespace quellix::platform
