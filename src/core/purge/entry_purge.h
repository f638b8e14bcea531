#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/folder_list.h"
#include "core/purge/folder_walk.h"
#include "core/purge/log_lines.h"
#include "core/purge/own_files.h"
#include "core/purge/purge_actions.h"
#include "core/purge/purge_engine.h"
#include "core/purge/purge_outcome.h"
#include "platform/clock.h"
#include "platform/directory.h"

namespace quellix {

// The purge of one folder entry: each file judged and handled by the entry's action, folder by
// folder, and with [D] each subfolder left empty removed once its tree is done.
class EntryPurge final : public WalkVisitor {
  public:
    EntryPurge(const FolderEntry& entry, const Settings& settings, const platform::Clock& clock,
               FrontEnd& frontEnd, PurgeRunState& run, std::int64_t retentionHours,
               const PurgeEngine& engine);

    void Run(platform::Directory root, const platform::EntryInfo& rootInfo,
             const std::string& rootPath);

    void VisitFolder(WalkLevel& level) override;
    bool Enter(const WalkLevel& parent, std::string_view name,
               const platform::EntryInfo& info) override;
    void Left(WalkLevel& parent, const WalkLevel& child) override;

  private:
    // An obsolete file, as the listing found it.
    struct Candidate {
        std::string name;
        platform::CivilTime date;
        // Read-only, and the entry does not take those.
        bool keepReadOnly;
        platform::EntryType type;
        bool cloudPlaceholder;
        std::int64_t bytes;
    };
    // What one folder's visit keeps.
    struct FolderVisit {
        const platform::Directory& folder;
        const platform::EntryInfo& self;
        const std::string& P;
        std::string_view R;
        OwnFiles::FolderRole role;
        bool allObsolete = true;
        std::vector<Candidate> pending;

        WorkFolder At() const { return {folder, self}; }
    };

    // listed: what the listing told of a file that must not be opened, else nullptr.
    void FileSteps(FolderVisit& visit, std::string_view name, const platform::EntryInfo* listed);
    void Act(FolderVisit& visit, const Candidate& file, FileNote note);
    void AllObsoletePass(FolderVisit& visit);
    // Counts and reports a file in use, which stays. *note says when it could not be asked.
    bool LeftAsLocked(FolderVisit& visit, const Candidate& file, FileNote* note);
    void Recycle(FolderVisit& visit, const Candidate& file, FileNote note);
    void Delete(FolderVisit& visit, const Candidate& file, FileNote note);
    void Move(FolderVisit& visit, const Candidate& file, bool allObsoletePass, FileNote note);
    PurgeOutcome OutcomeOf(OutcomeKind kind, const FolderVisit& visit, const Candidate& file,
                           FileNote note) const;
    // Counts a handled file, then logs the outcome and hands it on.
    void Report(const PurgeOutcome& outcome);
    std::optional<std::int64_t> FileTime(const platform::EntryInfo& info) const;
    bool Logging() const;

    const FolderEntry& entry_;
    const Settings& settings_;
    const platform::Clock& clock_;
    FrontEnd& frontEnd_;
    PurgeRunState& run_;
    std::int64_t retentionHours_;
    const PurgeEngine& engine_;
    OwnFiles own_;
    std::string kind_;
    std::string destinationRoot_;
    // Opened once for the whole entry; every level and move below it is made through it.
    std::optional<platform::Directory> destination_;
    std::optional<platform::EntryInfo> destinationIdentity_;
    // A run's own, or the preview's.
    std::unique_ptr<PurgeActions> runActions_;
    PurgeActions& actions_;
    FolderWalk* walk_ = nullptr;
    LogLines lines_;
};

}  // namespace quellix
