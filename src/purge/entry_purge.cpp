#include "purge/entry_purge.h"

#include <cerrno>

#include "mainwindow/front_end.h"
#include "platform/trash.h"
#include "purge/age_rule.h"
#include "purge/operation_log.h"

namespace quellix {

namespace {

using platform::EntryType;

bool NeedsNameRepair(std::string_view name) {
    return name.find_first_of("?_") != std::string_view::npos;
}

}  // namespace

EntryPurge::EntryPurge(const FolderEntry& entry, const Settings& settings,
                       const platform::Clock& clock, FrontEnd& frontEnd, PurgeRunState& run,
                       std::int64_t retentionHours, const PurgeEngine& engine)
    : entry_(entry),
      settings_(settings),
      clock_(clock),
      frontEnd_(frontEnd),
      run_(run),
      retentionHours_(retentionHours),
      engine_(engine),
      kind_(HtmlName(entry.dateText)),
      lines_(settings.language()) {
    if (entry.action == FolderAction::Move) {
        destinationRoot_ = WithTrailingSlash(entry.destination);
        if (auto root = IsAbsolutePath(destinationRoot_)
                            ? platform::Directory::Open(destinationRoot_)
                            : std::nullopt) {
            destinationIdentity_ = root->StatSelf();
        }
    }
}

void EntryPurge::Visit(const platform::Directory& folder, const std::string& P,
                       const std::string& R) {
    frontEnd_.ProcessPendingEvents();
    FolderVisit visit(folder, P, R);
    std::vector<std::string> subfolders;

    folder.ForEachEntry([&](std::string_view name, EntryType type) {
        if (type == EntryType::Unknown) {
            const auto info = folder.Stat(name);
            if (!info) {
                return;
            }
            type = info->type;
        }
        if (type != EntryType::Directory) {
            FileSteps(visit, name);
            return;
        }
        if (!entry_.includeSubfolders) {
            return;
        }
        subfolders.emplace_back(name);
        if (entry_.deleteEmptySubfolders) {
            run_.subfolders.push_back(R + std::string(name));
        }
    });

    // A folder whose walk was cut short is not known to be all obsolete.
    if (engine_.StopRequested()) {
        visit.allObsolete = false;
    }
    if (settings_.TousFichiersObsoletes && visit.allObsolete) {
        AllObsoletePass(visit);
    }
    if (run_.log != nullptr) {
        run_.log->Flush();
    }
    for (const std::string& name : subfolders) {
        if (engine_.StopRequested()) {
            break;
        }
        // Files moved into a destination inside the entry's own tree are not moved again.
        if (IsDestinationRoot(folder, name)) {
            continue;
        }
        if (auto child = folder.OpenChild(name)) {
            Visit(*child, P + name + "/", R + name + "/");
        }
    }
}

void EntryPurge::FileSteps(FolderVisit& visit, std::string_view foundName) {
    if (engine_.StopRequested()) {
        return;
    }
    const std::string name(foundName);
    const auto info = visit.folder.Stat(name);
    if (!info) {
        return;
    }
    const auto time = FileTime(*info);
    if (!time) {
        return;
    }
    const platform::CivilTime date = clock_.ToLocal(*time);
    if (!IsObsolete(date, retentionHours_, Now())) {
        visit.allObsolete = false;
        return;
    }

    const bool readOnly = info->type != EntryType::Symlink && !info->ownerWritable;
    if (entry_.deleteReadOnly && readOnly) {
        visit.folder.SetOwnerWritable(name);
    }
    // Names arrive exact here, so the name repair has nothing to rename; its lock test stays.
    if (NeedsNameRepair(name) && visit.folder.IsLocked(name, info->type)) {
        ++run_.locked;
        if (Logging()) {
            Log(lines_.Locked(visit.P, name, kind_, DateText(date)));
        }
        return;
    }
    if (settings_.TousFichiersObsoletes) {
        visit.pending.push_back({name, date, readOnly && !entry_.deleteReadOnly});
        return;
    }
    if (name.empty()) {
        return;
    }
    if (visit.folder.IsLocked(name, info->type)) {
        ++run_.locked;
        if (Logging()) {
            Log(lines_.Locked(visit.P, name, kind_, DateText(date)));
        }
        return;
    }
    Act(visit, name, date, readOnly && !entry_.deleteReadOnly);
}

void EntryPurge::Act(FolderVisit& visit, const std::string& name, const platform::CivilTime& date,
                     bool keepReadOnly) {
    if (entry_.action == FolderAction::Move) {
        Move(visit, name, date, false);
        return;
    }
    if (keepReadOnly) {
        if (Logging()) {
            Log(lines_.ReadOnlyKept(visit.P, name, kind_, DateText(date)));
        }
        return;
    }
    if (entry_.action == FolderAction::RecycleBin) {
        const int error = platform::MoveToTrash(visit.folder, name, visit.P + name, clock_.Now());
        if (error == 0) {
            ++run_.filesHandled;
            if (Logging()) {
                Log(lines_.Recycled(visit.P, name, kind_, DateText(date)));
            }
        } else {
            if (Logging()) {
                Log(lines_.NotRecycled(visit.P, name, error, 0, kind_, DateText(date)));
            }
        }
        return;
    }
    const int error = visit.folder.RemoveFile(name);
    if (error == 0) {
        ++run_.filesHandled;
        if (Logging()) {
            Log(lines_.Deleted(visit.P, name, kind_, DateText(date)));
        }
    } else {
        if (Logging()) {
            Log(lines_.NotDeleted(visit.P, name, error, kind_, DateText(date)));
        }
    }
}

void EntryPurge::AllObsoletePass(FolderVisit& visit) {
    for (const Pending& file : visit.pending) {
        if (entry_.action == FolderAction::Move) {
            Move(visit, file.name, file.date, true);
        } else if (entry_.action == FolderAction::RecycleBin) {
            const int error =
                platform::MoveToTrash(visit.folder, file.name, visit.P + file.name, clock_.Now());
            if (error == 0) {
                ++run_.filesHandled;
                if (Logging()) {
                    Log(lines_.Recycled(visit.P, file.name, kind_, DateText(file.date)));
                }
            } else {
                if (Logging()) {
                    Log(lines_.NotRecycled(visit.P, file.name, error, 0, kind_,
                                           DateText(file.date)));
                }
            }
        } else {
            // Deleting a read-only file is refused, as it is by systems that honour the flag.
            const int error = file.readOnly ? EACCES : visit.folder.RemoveFile(file.name);
            if (error == 0) {
                ++run_.filesHandled;
                if (Logging()) {
                    Log(lines_.Deleted(visit.P, file.name, kind_, DateText(file.date)));
                }
            } else {
                if (Logging()) {
                    Log(lines_.NotDeleted(visit.P, file.name, error, kind_, DateText(file.date)));
                }
            }
        }
    }
}

void EntryPurge::Move(FolderVisit& visit, const std::string& name, const platform::CivilTime& date,
                      bool allObsoletePass) {
    const auto& destination = Destination(visit);
    // Shortcuts left by earlier runs are never moved.
    if (entry_.createShortcut && HasShortcutExtension(name)) {
        return;
    }
    const std::string shownDestination =
        allObsoletePass ? destinationRoot_ : destinationRoot_ + visit.R;
    if (!destination) {
        if (Logging()) {
            Log(lines_.InvalidPath(shownDestination));
        }
        return;
    }
    const int error = platform::MoveEntry(visit.folder, name, *destination, name);
    if (error != 0) {
        if (Logging()) {
            Log(lines_.NotDeleted(visit.P, name, error, kind_, DateText(date)));
        }
        return;
    }
    ++run_.filesHandled;
    if (Logging()) {
        Log(lines_.Moved(visit.P, name, shownDestination, kind_, DateText(date)));
    }
    if (entry_.createShortcut) {
        visit.folder.MakeSymlink(ShortcutName(name), destinationRoot_ + visit.R + name);
    }
}

const std::optional<platform::Directory>& EntryPurge::Destination(FolderVisit& visit) {
    if (visit.destinationTried) {
        return visit.destination;
    }
    visit.destinationTried = true;
    auto folder = IsAbsolutePath(destinationRoot_) ? platform::Directory::Open(destinationRoot_)
                                                   : std::nullopt;
    std::size_t start = 0;
    while (folder && start < visit.R.size()) {
        const std::size_t end = visit.R.find('/', start);
        const std::string level = visit.R.substr(start, end - start);
        folder->MakeDirectory(level);
        folder = folder->OpenChild(level);
        start = end + 1;
    }
    visit.destination = std::move(folder);
    return visit.destination;
}

std::optional<std::int64_t> EntryPurge::FileTime(const platform::EntryInfo& info) const {
    switch (entry_.dateKind) {
        case 'M':
            return info.modified;
        case 'C':
            // Without a recorded birth time, the earlier of the last write and the last change
            // is the closest the file system can tell.
            return info.born ? *info.born : std::min(info.modified, info.changed);
        default:
            return info.accessed;
    }
}

bool EntryPurge::IsDestinationRoot(const platform::Directory& parent, std::string_view name) const {
    if (!destinationIdentity_) {
        return false;
    }
    const auto info = parent.Stat(name);
    return info && info->device == destinationIdentity_->device &&
           info->inode == destinationIdentity_->inode;
}

platform::CivilTime EntryPurge::Now() {
    const std::int64_t now = clock_.Now();
    if (now != nowSeconds_) {
        nowSeconds_ = now;
        nowLocal_ = clock_.ToLocal(now);
    }
    return nowLocal_;
}

bool EntryPurge::Logging() const {
    return run_.log != nullptr && run_.log->IsOpen();
}

void EntryPurge::Log(const std::string& line) {
    run_.log->WriteLine(line);
}

std::string EntryPurge::DateText(const platform::CivilTime& date) const {
    return LogDateText(date);
}

}  // namespace quellix
