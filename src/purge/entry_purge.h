#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mainwindow/folder_list.h"
#include "platform/clock.h"
#include "platform/directory.h"
#include "purge/log_lines.h"
#include "purge/purge_engine.h"

namespace quellix {

// The walk of one folder entry: a folder's listing is finished before its subfolders are entered,
// and each file is judged and handled by the entry's action.
class EntryPurge {
  public:
    EntryPurge(const FolderEntry& entry, const Settings& settings, const platform::Clock& clock,
               FrontEnd& frontEnd, PurgeRunState& run, std::int64_t retentionHours,
               const PurgeEngine& engine);

    // P is the folder's path ending in "/", R its path relative to the entry's folder.
    void Visit(const platform::Directory& folder, const std::string& P, const std::string& R);

  private:
    struct Pending {
        std::string name;
        platform::CivilTime date;
        bool readOnly;
    };
    // What one folder's visit keeps.
    struct FolderVisit {
        FolderVisit(const platform::Directory& f, const std::string& p, const std::string& r)
            : folder(f), P(p), R(r) {}
        const platform::Directory& folder;
        const std::string& P;
        const std::string& R;
        bool allObsolete = true;
        std::vector<Pending> pending;
        // The destination folder T & R, opened (and its levels created) at the first move.
        bool destinationTried = false;
        std::optional<platform::Directory> destination;
    };

    void FileSteps(FolderVisit& visit, std::string_view name);
    void Act(FolderVisit& visit, const std::string& name, const platform::CivilTime& date,
             bool readOnly);
    void AllObsoletePass(FolderVisit& visit);
    void Move(FolderVisit& visit, const std::string& name, const platform::CivilTime& date,
              bool allObsoletePass);
    const std::optional<platform::Directory>& Destination(FolderVisit& visit);
    std::optional<std::int64_t> FileTime(const platform::EntryInfo& info) const;
    bool IsDestinationRoot(const platform::Directory& parent, std::string_view name) const;
    platform::CivilTime Now();
    bool Logging() const;
    void Log(const std::string& line);
    std::string DateText(const platform::CivilTime& date) const;

    const FolderEntry& entry_;
    const Settings& settings_;
    const platform::Clock& clock_;
    FrontEnd& frontEnd_;
    PurgeRunState& run_;
    std::int64_t retentionHours_;
    const PurgeEngine& engine_;
    std::string kind_;
    std::string destinationRoot_;
    std::optional<platform::EntryInfo> destinationIdentity_;
    LogLines lines_;
    std::int64_t nowSeconds_ = -1;
    platform::CivilTime nowLocal_;
};

}  // namespace quellix
