#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/language.h"
#include "platform/clock.h"

namespace quellix {

// Escapes a file or folder name for the log: markup characters become entities, tabs and line
// breaks character references, other control characters (C0, DEL, C1) and the bidirectional
// formatting characters are shown as \uNNNN, and bytes that are not UTF-8 as \xNN.
std::string HtmlName(std::string_view name);

// The file's date in a log line: the short date and the long time of the locale; a time of
// exactly midnight is left out.
std::string LogDateText(const platform::CivilTime& date);

// A remark added to a file's line, before its date.
enum class FileNote {
    None,
    // A cloud file kept elsewhere: the open that tells whether it is in use would download it.
    OnlineOnlyNotOpened,
};

// The lines of the operation log. Folder and file names are given raw and escaped here; K is the
// entry's date letter, D the file's date text.
class LogLines {
  public:
    explicit LogLines(Language language) : language_(language) {}

    std::string Locked(std::string_view folder, std::string_view name, std::string_view kind,
                       std::string_view date) const;
    std::string Deleted(std::string_view folder, std::string_view name, std::string_view kind,
                        std::string_view date, FileNote note = FileNote::None) const;
    std::string Recycled(std::string_view folder, std::string_view name, std::string_view kind,
                         std::string_view date, FileNote note = FileNote::None) const;
    std::string ReadOnlyKept(std::string_view folder, std::string_view name, std::string_view kind,
                             std::string_view date, FileNote note = FileNote::None) const;
    std::string NotDeleted(std::string_view folder, std::string_view name, int error,
                           std::string_view kind, std::string_view date,
                           FileNote note = FileNote::None) const;
    std::string NotRecycled(std::string_view folder, std::string_view name, int error1, int error2,
                            std::string_view kind, std::string_view date,
                            FileNote note = FileNote::None) const;
    // destination is T & R, or T alone in the all-obsolete pass.
    std::string Moved(std::string_view folder, std::string_view name, std::string_view destination,
                      std::string_view kind, std::string_view date,
                      FileNote note = FileNote::None) const;
    std::string InvalidPath(std::string_view destination) const;
    std::string EmptySubfolderRemoved(std::string_view folder) const;

    // "<b>" & summary & "</b><hr>"
    static std::string Summary(std::string_view summary);
    // The lines that open a new day's log; longDate is today's date in the locale's long form.
    std::vector<std::string> Header(std::string_view longDate, bool frenchHeading) const;

  private:
    std::string DatePart(std::string_view kind, std::string_view date,
                         FileNote note = FileNote::None) const;
    Language language_;
};

// "Last purge: 07 December 2026 - 10:00:00 ;Deleted: 5 files, 0 subfolders; Locked:2 "
std::string PurgeSummary(Language language, std::string_view startText, std::int32_t files,
                         std::int32_t subfolders, std::int32_t locked);

}  // namespace quellix
