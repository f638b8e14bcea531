#include "core/purge/entry_purge.h"

#include <cerrno>

#include "core/common/front_end.h"
#include "core/purge/age_rule.h"
#include "core/purge/event_pacer.h"
#include "core/purge/lock_test.h"
#include "core/purge/operation_log.h"
#include "platform/path_text.h"
#include "platform/trash.h"

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
      own_(OwnFiles::Of(settings)),
      kind_(HtmlName(entry.date)),
      lines_(settings.language()) {
    if (entry.action == FolderAction::Move) {
        destinationRoot_ = platform::WithTrailingSeparator(entry.destination);
        if (platform::IsAbsolutePath(destinationRoot_)) {
            destination_ = platform::Directory::Open(destinationRoot_);
        }
        if (destination_) {
            destinationIdentity_ = destination_->StatSelf();
        }
    }
}

void EntryPurge::Run(platform::Directory root, const platform::EntryInfo& rootInfo,
                     const std::string& rootPath) {
    FolderWalk walk(std::move(root), rootInfo, rootPath, engine_);
    walk_ = &walk;
    walk.Run(*this);
    walk_ = nullptr;
}

void EntryPurge::VisitFolder(WalkLevel& level) {
    frontEnd_.ProcessPendingEvents();
    const std::string& P = walk_->Path();
    FolderVisit visit{
        *level.folder,           P,    std::string_view(P).substr(walk_->RootPathLength()),
        own_.RoleOf(level.self), true, {}};

    EventPacer pacer(frontEnd_, clock_);
    visit.folder.ForEachEntryWithInfo(
        [&](std::string_view name, EntryType type, const platform::EntryInfo* listed) {
            pacer.NextEntry();
            if (type == EntryType::Unknown && listed == nullptr) {
                const auto info = visit.folder.Stat(name);
                if (!info) {
                    return;
                }
                type = info->type;
            }
            if (type != EntryType::Directory) {
                FileSteps(visit, name, listed);
            } else if (entry_.includeSubfolders) {
                level.subfolders.emplace_back(name);
            }
        });

    // A folder whose walk was cut short is not known to be all obsolete.
    if (engine_.StopRequested()) {
        visit.allObsolete = false;
    }
    if (settings_.TousFichiersObsoletes && visit.allObsolete) {
        AllObsoletePass(visit);
    }
    // Before the folder's handle goes: the outcomes leave shortcuts in it.
    moves_.Commit();
    if (run_.log != nullptr) {
        run_.log->Flush();
    }
}

bool EntryPurge::Enter(const WalkLevel& parent, std::string_view name,
                       const platform::EntryInfo& info) {
    // Files moved into a destination inside the entry's own tree are not moved again, and the
    // trash is not emptied into itself.
    if (destinationIdentity_ && info.SameEntryAs(*destinationIdentity_)) {
        return false;
    }
    return !own_.IsTrashFolder(parent.self, name, info);
}

void EntryPurge::Left(WalkLevel& parent, const WalkLevel& child) {
    // A stop leaves the subfolders as they are: some were not walked to their end.
    if (!entry_.deleteEmptySubfolders || engine_.StopRequested()) {
        return;
    }
    const platform::Directory& folder = *parent.folder;
    const auto now = folder.Stat(child.name);
    if (!now || now->type != EntryType::Directory || !now->SameEntryAs(child.self) ||
        folder.HasOnlyHiddenEntries(child.name) != std::optional<bool>(true)) {
        return;
    }
    // A read-only folder is kept like a read-only file, unless the entry takes those too.
    if (!now->ownerWritable) {
        if (!entry_.deleteReadOnly) {
            return;
        }
        folder.SetOwnerWritable(child.name);
    }
    if (folder.RemoveEmptyDirectory(child.name) == 0) {
        ++run_.subfoldersRemoved;
        if (Logging()) {
            Log(lines_.EmptySubfolderRemoved(walk_->Path() + child.name));
        }
    }
}

void EntryPurge::FileSteps(FolderVisit& visit, std::string_view foundName,
                           const platform::EntryInfo* listed) {
    if (engine_.StopRequested()) {
        return;
    }
    const std::string name(foundName);
    // A cloud placeholder is known from its listing only: even an open for its dates may
    // download it.
    const auto info = listed != nullptr ? std::optional(*listed) : visit.folder.Stat(name);
    if (!info || own_.IsOwnFile(visit.role, name, *info)) {
        return;
    }
    const auto time = FileTime(*info);
    // Now is read anew for each file. A date the calendar cannot show is unknown, and an unknown
    // date is never obsolete.
    const bool obsolete = time && IsObsolete(*time, retentionHours_, clock_.Now(), clock_);
    const auto date = obsolete ? clock_.ToLocalIfRepresentable(*time) : std::nullopt;
    if (!date) {
        visit.allObsolete = false;
        return;
    }

    const bool readOnly = info->type != EntryType::Symlink && !info->ownerWritable;
    if (entry_.deleteReadOnly && readOnly) {
        visit.folder.SetOwnerWritable(name);
    }
    // Names arrive exact here, so the name repair has nothing to rename; its lock test stays.
    FileNote note = FileNote::None;
    if (NeedsNameRepair(name) &&
        LeftAsLocked(visit, name, *date, info->type, info->cloudPlaceholder, &note)) {
        return;
    }
    if (settings_.TousFichiersObsoletes) {
        visit.pending.push_back(
            {name, *date, readOnly && !entry_.deleteReadOnly, info->type, info->cloudPlaceholder});
        return;
    }
    if (LeftAsLocked(visit, name, *date, info->type, info->cloudPlaceholder, &note)) {
        return;
    }
    Act(visit, name, *date, readOnly && !entry_.deleteReadOnly, note);
}

bool EntryPurge::LeftAsLocked(FolderVisit& visit, const std::string& name,
                              const platform::CivilTime& date, platform::EntryType type,
                              bool cloudPlaceholder, FileNote* note) {
    platform::EntryInfo seen;
    seen.type = type;
    seen.cloudPlaceholder = cloudPlaceholder;
    const InUse inUse =
        FileInUse(seen, [&visit, &name, type] { return visit.folder.IsLocked(name, type); });
    if (inUse == InUse::NotAsked) {
        *note = FileNote::OnlineOnlyNotOpened;
    }
    if (inUse != InUse::Yes) {
        return false;
    }
    ++run_.locked;
    if (Logging()) {
        Log(lines_.Locked(visit.P, name, kind_, LogDateText(date)));
    }
    return true;
}

void EntryPurge::Act(FolderVisit& visit, const std::string& name, const platform::CivilTime& date,
                     bool keepReadOnly, FileNote note) {
    if (entry_.action == FolderAction::Move) {
        Move(visit, name, date, false, note);
        return;
    }
    if (keepReadOnly) {
        if (Logging()) {
            Log(lines_.ReadOnlyKept(visit.P, name, kind_, LogDateText(date), note));
        }
        return;
    }
    if (entry_.action == FolderAction::RecycleBin) {
        Recycle(visit, name, date, note);
    } else {
        Delete(visit, name, date, note);
    }
}

void EntryPurge::AllObsoletePass(FolderVisit& visit) {
    EventPacer pacer(frontEnd_, clock_);
    for (const Pending& file : visit.pending) {
        pacer.NextEntry();
        if (engine_.StopRequested()) {
            return;
        }
        // Asked now, just before the file is handled: an open or locked file stays.
        FileNote note = FileNote::None;
        if (LeftAsLocked(visit, file.name, file.date, file.type, file.cloudPlaceholder, &note)) {
            continue;
        }
        if (entry_.action == FolderAction::Move) {
            Move(visit, file.name, file.date, true, note);
        } else if (entry_.action == FolderAction::RecycleBin) {
            Recycle(visit, file.name, file.date, note);
        } else if (file.readOnly) {
            // Deleting a read-only file is refused, as it is by systems that honour the flag.
            if (Logging()) {
                Log(lines_.NotDeleted(visit.P, file.name, EACCES, kind_, LogDateText(file.date),
                                      note));
            }
        } else {
            Delete(visit, file.name, file.date, note);
        }
    }
}

void EntryPurge::Recycle(FolderVisit& visit, const std::string& name,
                         const platform::CivilTime& date, FileNote note) {
    platform::TrashFailure failure;
    const int error =
        platform::MoveToTrash(visit.folder, name, visit.P + name, clock_.Now(), &failure);
    if (error == 0) {
        ++run_.filesHandled;
    }
    if (Logging()) {
        Log(error == 0 ? lines_.Recycled(visit.P, name, kind_, LogDateText(date), note)
                       : lines_.NotRecycled(visit.P, name, failure.result, failure.aborted, kind_,
                                            LogDateText(date), note));
    }
}

void EntryPurge::Delete(FolderVisit& visit, const std::string& name,
                        const platform::CivilTime& date, FileNote note) {
    const int error = visit.folder.RemoveFile(name);
    if (error == 0) {
        ++run_.filesHandled;
    }
    if (Logging()) {
        Log(error == 0 ? lines_.Deleted(visit.P, name, kind_, LogDateText(date), note)
                       : lines_.NotDeleted(visit.P, name, error, kind_, LogDateText(date), note));
    }
}

void EntryPurge::Move(FolderVisit& visit, const std::string& name, const platform::CivilTime& date,
                      bool allObsoletePass, FileNote note) {
    const platform::Directory* destination =
        destination_ ? walk_->Mirror(walk_->Depth(), *destination_) : nullptr;
    // Shortcuts left by earlier runs are never moved.
    if (entry_.createShortcut && HasShortcutExtension(name)) {
        return;
    }
    const std::string shownDestination =
        allObsoletePass ? destinationRoot_ : destinationRoot_ + std::string(visit.R);
    if (destination == nullptr) {
        if (Logging()) {
            Log(lines_.InvalidPath(shownDestination));
        }
        return;
    }
    const std::string target = destinationRoot_ + std::string(visit.R) + name;
    // A file whose shortcut cannot be left (its name taken, a target the system cannot record)
    // stays where the user will look for it.
    if (entry_.createShortcut) {
        if (const int error = visit.folder.CanMakeSymlink(ShortcutName(name), target); error != 0) {
            if (Logging()) {
                Log(lines_.NotDeleted(visit.P, name, error, kind_, LogDateText(date), note));
            }
            return;
        }
    }
    const platform::Directory* folder = &visit.folder;
    moves_.Move(
        visit.folder, name, *destination, name,
        [this, folder, destination, P = visit.P, name, shownDestination, target, date,
         note](int error) {
            // A shortcut that fails all the same sends the file back, when it can go.
            if (error == 0 && entry_.createShortcut) {
                const int linkError = folder->MakeSymlink(ShortcutName(name), target);
                if (linkError != 0 && platform::MoveEntry(*destination, name, *folder, name) == 0) {
                    error = linkError;
                }
            }
            if (error != 0) {
                if (Logging()) {
                    Log(lines_.NotDeleted(P, name, error, kind_, LogDateText(date), note));
                }
                return;
            }
            ++run_.filesHandled;
            if (Logging()) {
                Log(lines_.Moved(P, name, shownDestination, kind_, LogDateText(date), note));
            }
        });
}

std::optional<std::int64_t> EntryPurge::FileTime(const platform::EntryInfo& info) const {
    switch (entry_.DateKind()) {
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

bool EntryPurge::Logging() const {
    return run_.log != nullptr && run_.log->IsOpen();
}

void EntryPurge::Log(const std::string& line) {
    run_.log->WriteLine(line);
}

}  // namespace quellix
