#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/folder_list.h"
#include "core/common/front_end.h"
#include "core/common/host_system.h"
#include "core/common/language.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"

namespace quellix {

class ServiceHost;

// "Quellix 1.0.0 - Linux v.6.1, Build 0, Debian GNU/Linux 12 (bookworm)"; the title alone when
// there is no system description.
std::string MainWindowTitle(const Settings& settings);

// What the scheduler's state allows in the main window.
struct MainWindowControls {
    bool startEnabled = true;
    bool stopEnabled = false;
    bool immediateEnabled = true;
    // Purge time, time between updates, edit configuration file, and the whole Folders menu.
    bool settingsMenusEnabled = true;
    bool serviceMenuEnabled = true;
    bool operator==(const MainWindowControls&) const = default;
};
MainWindowControls ControlsFor(SchedulerMode mode, bool isNt);

// The grid's context menu as it is prepared before each display.
struct ContextMenuState {
    bool addBeforeEnabled = false;
    std::string addBeforeCaption;
    bool addAfterEnabled = false;
    bool addAfterVisible = false;
    bool modifyEnabled = false;
    bool removeEnabled = false;
    bool operator==(const ContextMenuState&) const = default;
};
ContextMenuState PrepareContextMenu(bool schedulerStopped, std::size_t rows, Language language);

// Tooltip of a retention cell: "2 days", "1 day 1 hour", "" below 24 hours or for a cell that
// holds no number.
std::string RetentionTooltip(std::string_view retentionCell, Language language);

// The tip of a grid cell, empty for none: the retention in days and hours, and a path in full
// (the folder, or the destination of a move), which the cell may show cut short.
std::string CellTooltip(const FolderEntry& entry, FolderColumn column, Language language);

// The window's layout after a resize, in device-independent pixels.
struct ResizeInput {
    int innerWidth = 0;
    int innerHeight = 0;
    int outerWidth = 0;
    int gridTop = 0;
    int startButtonLeft = 0;
    int purgeTimeLabelWidth = 0;
    int lastPurgeLabelWidth = 0;
    int hintLabelWidth = 0;
    // Columns 0, 2, 3 and 4: 1050 twips, or what their texts need in a larger font.
    int narrowColumnWidth = 70;
    // The hint shares the first row with the purge time; the right edge of what each row shows
    // on its left (buttons, status, check box, mode), 0 for nothing.
    bool purgeTimeLabelShown = true;
    bool hintShown = false;
    int firstRowLeftEnd = 0;
    int secondRowLeftEnd = 0;
    // The grid's header and rows, and the width of the scroll bar that appears when they are
    // taller than the grid: the columns then share what the bar leaves.
    int gridContentHeight = 0;
    int scrollBarWidth = 0;
    // What the headers of the folder and destination columns need: the window gets no narrower
    // than the grid with both shown whole.
    int wideColumnMinimum = 0;
};
struct ResizeLayout {
    // Unset where the rule leaves the control where it is.
    std::optional<int> gridWidth;
    std::optional<int> gridHeight;
    std::optional<int> purgeTimeLabelLeft;
    std::optional<int> lastPurgeLabelLeft;
    std::optional<int> hintLabelLeft;
    // Columns 0, 2, 3 and 4 always; columns 1 and 5 share the rest when there is some.
    std::array<std::optional<int>, kFolderColumnCount> columnWidths;
    // The narrowest inner width at which no two texts of the top rows meet and every header of
    // the grid shows whole.
    int minimumInnerWidth = 0;
};
ResizeLayout ComputeResizeLayout(const ResizeInput& input);

// Everything the commands below need. open starts the desktop's application for a document and
// says whether it could be started; exists tells whether a file exists; edit starts the text
// editor on a file.
struct CommandContext {
    Settings& settings;
    ConfigStore& config;
    FolderList& folders;
    FrontEnd& frontEnd;
    std::function<bool(const std::string&)> open;
    std::function<bool(const std::string&)> exists;
    std::function<bool(const std::string&)> edit;
};

// Asks to remove data row `row` (0-based) and on Yes removes it, recomputes the total and saves
// the list. Returns true when the row was removed. A row outside the list does nothing.
bool RemoveSelectedFolder(const CommandContext& context, std::ptrdiff_t row);

// Flips UseShortPathnames and writes its key at once; the caller then runs a count.
void ToggleShortPathnames(Settings& settings, ConfigStore& config);

// Opens the configuration file in the desktop's text editor, then always shows the warning that
// changes count at the next start.
void EditConfigurationFile(const CommandContext& context);

// Opens the help page of the language, or says that there is none.
void ShowHelp(const CommandContext& context);
std::string HelpFilePath(const Settings& settings);

// "Exit program": true on Yes.
bool ConfirmExit(const Settings& settings, FrontEnd& frontEnd);

// The main window's load step when a service may be installed.
// What an interactive copy asks when it finds the service installed: where to see the service
// (Windows' Services, or systemd's status command for a user or a system-wide unit), then
// whether to remove it.
std::string ServiceInstalledQuestion(HostSystem system, Language language, bool userUnit);

enum class InstalledServiceOutcome {
    NotInstalled,    // nothing to do: the Service label stays hidden
    ServiceProcess,  // this process is the service: Exit disabled, Service label shown
    Removed,         // an interactive copy removed the service after the user's Yes
    EndProgram,      // the user kept the service: this copy ends
};
InstalledServiceOutcome CheckInstalledService(const Settings& settings, ServiceHost& service,
                                              FrontEnd& frontEnd);

}  // namespace quellix
