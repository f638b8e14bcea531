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
      runActions_(run.preview != nullptr ? nullptr : MakeRunActions()),
      actions_(run.preview != nullptr ? *run.preview : *runActions_),
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
        *level.folder,           level.self, P, std::string_view(P).substr(walk_->RootPathLength()),
        own_.RoleOf(level.self), true,       {}};

    // What is new in it is not obsolete: the folder is not all obsolete.
    if (actions_.GainedEntries(level.self)) {
        visit.allObsolete = false;
    }
    EventPacer pacer(frontEnd_, clock_);
    visit.folder.ForEachEntryWithInfo(
        [&](std::string_view name, EntryType type, const platform::EntryInfo* listed) {
            pacer.NextEntry();
            if (!actions_.StillThere(level.self, name)) {
                return;
            }
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
    actions_.FolderDone();
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
    const WorkFolder at{*parent.folder, parent.self};
    const auto now = at.folder.Stat(child.name);
    if (!now || now->type != EntryType::Directory || !now->SameEntryAs(child.self) ||
        actions_.EmptyOnceDone(at, child.name, child.self) != std::optional<bool>(true)) {
        return;
    }
    // A read-only folder is kept like a read-only file, unless the entry takes those too.
    if (!actions_.OwnerWritable(at.self, child.name, *now)) {
        if (!entry_.deleteReadOnly) {
            return;
        }
        actions_.MakeOwnerWritable(at, child.name);
    }
    if (actions_.RemoveEmptyFolder(at, child.name, child.self) == 0) {
        PurgeOutcome outcome;
        outcome.kind = OutcomeKind::SubfolderRemoved;
        outcome.folder = walk_->Path() + child.name;
        Report(outcome);
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

    const bool readOnly =
        info->type != EntryType::Symlink && !actions_.OwnerWritable(visit.self, name, *info);
    if (entry_.deleteReadOnly && readOnly) {
        actions_.MakeOwnerWritable(visit.At(), name);
    }
    const Candidate file{
        name,      *date, readOnly && !entry_.deleteReadOnly, info->type, info->cloudPlaceholder,
        info->size};
    // Names arrive exact here, so the name repair has nothing to rename; its lock test stays.
    FileNote note = FileNote::None;
    if (NeedsNameRepair(name) && LeftAsLocked(visit, file, &note)) {
        return;
    }
    if (settings_.TousFichiersObsoletes) {
        visit.pending.push_back(file);
        return;
    }
    if (LeftAsLocked(visit, file, &note)) {
        return;
    }
    Act(visit, file, note);
}

bool EntryPurge::LeftAsLocked(FolderVisit& visit, const Candidate& file, FileNote* note) {
    platform::EntryInfo seen;
    seen.type = file.type;
    seen.cloudPlaceholder = file.cloudPlaceholder;
    const InUse inUse =
        FileInUse(seen, [&visit, &file] { return visit.folder.IsLocked(file.name, file.type); });
    if (inUse == InUse::NotAsked) {
        *note = FileNote::OnlineOnlyNotOpened;
    }
    if (inUse != InUse::Yes) {
        return false;
    }
    ++run_.locked;
    // The log's line for a file in use has no remark.
    Report(OutcomeOf(OutcomeKind::Locked, visit, file, FileNote::None));
    return true;
}

void EntryPurge::Act(FolderVisit& visit, const Candidate& file, FileNote note) {
    if (entry_.action == FolderAction::Move) {
        Move(visit, file, false, note);
        return;
    }
    if (file.keepReadOnly) {
        Report(OutcomeOf(OutcomeKind::ReadOnlyKept, visit, file, note));
        return;
    }
    if (entry_.action == FolderAction::RecycleBin) {
        Recycle(visit, file, note);
    } else {
        Delete(visit, file, note);
    }
}

void EntryPurge::AllObsoletePass(FolderVisit& visit) {
    EventPacer pacer(frontEnd_, clock_);
    for (const Candidate& file : visit.pending) {
        pacer.NextEntry();
        if (engine_.StopRequested()) {
            return;
        }
        // Asked now, just before the file is handled: an open or locked file stays.
        FileNote note = FileNote::None;
        if (LeftAsLocked(visit, file, &note)) {
            continue;
        }
        if (entry_.action == FolderAction::Move) {
            Move(visit, file, true, note);
        } else if (entry_.action == FolderAction::RecycleBin) {
            Recycle(visit, file, note);
        } else if (file.keepReadOnly) {
            // Deleting a read-only file is refused, as it is by systems that honour the flag.
            PurgeOutcome outcome = OutcomeOf(OutcomeKind::NotDeleted, visit, file, note);
            outcome.error = EACCES;
            Report(outcome);
        } else {
            Delete(visit, file, note);
        }
    }
}

void EntryPurge::Recycle(FolderVisit& visit, const Candidate& file, FileNote note) {
    platform::TrashFailure failure;
    platform::TrashPlace place;
    const int error = actions_.MoveToTrash(visit.At(), file.name, visit.P + file.name, clock_.Now(),
                                           &failure, &place);
    PurgeOutcome outcome =
        OutcomeOf(error == 0 ? OutcomeKind::Recycled : OutcomeKind::NotRecycled, visit, file, note);
    outcome.trashed = place;
    outcome.error = failure.result;
    outcome.error2 = failure.aborted;
    Report(outcome);
}

void EntryPurge::Delete(FolderVisit& visit, const Candidate& file, FileNote note) {
    const int error = actions_.RemoveFile(visit.At(), file.name);
    PurgeOutcome outcome =
        OutcomeOf(error == 0 ? OutcomeKind::Deleted : OutcomeKind::NotDeleted, visit, file, note);
    outcome.error = error;
    Report(outcome);
}

void EntryPurge::Move(FolderVisit& visit, const Candidate& file, bool allObsoletePass,
                      FileNote note) {
    const platform::Directory* destination =
        destination_ ? actions_.Mirror(*walk_, *destination_) : nullptr;
    // Shortcuts left by earlier runs are never moved.
    if (entry_.createShortcut && HasShortcutExtension(file.name)) {
        return;
    }
    const std::string shownDestination =
        allObsoletePass ? destinationRoot_ : destinationRoot_ + std::string(visit.R);
    if (destination == nullptr) {
        PurgeOutcome outcome;
        outcome.kind = OutcomeKind::InvalidDestination;
        outcome.destination = shownDestination;
        Report(outcome);
        return;
    }
    const std::string target = destinationRoot_ + std::string(visit.R) + file.name;
    const std::string shortcut = ShortcutName(file.name);
    // A file whose shortcut cannot be left (its name taken, a target the system cannot record)
    // stays where the user will look for it.
    if (entry_.createShortcut) {
        if (const int error = actions_.CanMakeShortcut(visit.At(), shortcut, target); error != 0) {
            PurgeOutcome outcome = OutcomeOf(OutcomeKind::NotDeleted, visit, file, note);
            outcome.error = error;
            Report(outcome);
            return;
        }
    }
    PurgeOutcome moved = OutcomeOf(OutcomeKind::Moved, visit, file, note);
    moved.destination = shownDestination;
    moved.movedTo = target;
    moved.shortcut = entry_.createShortcut;
    const platform::Directory* folder = &visit.folder;
    const platform::EntryInfo self = visit.self;
    actions_.Move(
        visit.At(), file.name, *destination,
        [this, folder, self, destination, moved, shortcut, target](int error) {
            const WorkFolder at{*folder, self};
            // A shortcut that fails all the same sends the file back, when it can go.
            if (error == 0 && entry_.createShortcut) {
                const int linkError = actions_.MakeShortcut(at, shortcut, target);
                if (linkError != 0 && actions_.MoveBack(*destination, moved.name, at) == 0) {
                    error = linkError;
                }
            }
            if (error != 0) {
                PurgeOutcome failed = moved;
                failed.kind = OutcomeKind::NotDeleted;
                failed.error = error;
                failed.destination.clear();
                failed.movedTo.clear();
                failed.shortcut = false;
                Report(failed);
                return;
            }
            Report(moved);
        });
}

PurgeOutcome EntryPurge::OutcomeOf(OutcomeKind kind, const FolderVisit& visit,
                                   const Candidate& file, FileNote note) const {
    PurgeOutcome outcome;
    outcome.kind = kind;
    outcome.folder = visit.P;
    outcome.name = file.name;
    outcome.date = file.date;
    outcome.note = note;
    outcome.bytes = file.bytes;
    return outcome;
}

void EntryPurge::Report(const PurgeOutcome& outcome) {
    if (IsFileHandled(outcome.kind)) {
        ++run_.filesHandled;
    } else if (outcome.kind == OutcomeKind::SubfolderRemoved) {
        ++run_.subfoldersRemoved;
    }
    if (Logging()) {
        run_.log->WriteLine(LogLineOf(lines_, outcome, kind_));
    }
    if (run_.outcomes != nullptr) {
        run_.outcomes->Record(outcome);
    }
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

}  // namespace quellix
