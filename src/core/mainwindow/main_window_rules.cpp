#include "core/mainwindow/main_window_rules.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "core/common/service_host.h"
#include "core/config/folder_list_store.h"
#include "core/mainwindow/captions.h"
#include "core/mainwindow/count_pass.h"
#include "core/mainwindow/main_window_texts.h"
#include "core/purge/age_rule.h"
#include "platform/path_text.h"
#include "platform/process_info.h"

namespace quellix {

namespace {

// Sizes are computed wide so that odd window metrics cannot overflow; a rule applies only to a
// positive result.
std::optional<int> IfPositive(std::int64_t value) {
    if (value <= 0 || value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<int> RightAlignedLeft(const ResizeInput& input, int labelWidth) {
    return IfPositive(std::int64_t{input.innerWidth} - labelWidth - input.startButtonLeft);
}

MessageAnswer AskYesNo(FrontEnd& frontEnd, std::string text, std::string title,
                       MessageAnswer defaultAnswer = MessageAnswer::Yes) {
    return frontEnd.ShowMessage({std::move(text), std::move(title), MessageIcon::Question,
                                 MessageButtons::YesNo, defaultAnswer});
}

}  // namespace

std::string MainWindowTitle(const Settings& settings) {
    if (settings.OsDescription.empty()) {
        return settings.ProgramTitle;
    }
    return settings.ProgramTitle + " - " + settings.OsDescription;
}

MainWindowControls ControlsFor(SchedulerMode mode, bool isNt) {
    if (mode == SchedulerMode::Stopped) {
        return {true, false, true, true, isNt};
    }
    return {false, true, false, false, false};
}

ContextMenuState PrepareContextMenu(bool schedulerStopped, std::size_t rows, Language language) {
    // Caption and visibility follow the list in every state, so the menu never shows an item that
    // contradicts it; the scheduler only decides what may be clicked.
    ContextMenuState state;
    state.addBeforeCaption = std::string(AddFolderCaption(rows == 0, language));
    state.addAfterVisible = rows > 0;
    if (schedulerStopped) {
        state.addBeforeEnabled = true;
        state.addAfterEnabled = true;
        state.modifyEnabled = rows > 0;
        state.removeEnabled = rows > 0;
    }
    return state;
}

std::string RetentionTooltip(std::string_view retentionCell, Language language) {
    // The purge's own reading of the cell: a retention too large for it never ages, and a
    // tooltip counting its days would say otherwise.
    const std::optional<std::int64_t> hours = RetentionHours(retentionCell);
    if (!hours || *hours < 24) {
        return {};
    }
    const std::int64_t days = *hours / 24;
    const std::int64_t rest = *hours % 24;
    std::string text = std::to_string(days);
    text += (days == 1 ? texts::kOneDay : texts::kDays).In(language);
    if (rest != 0) {
        text += ' ';
        text += std::to_string(rest);
        text += (rest == 1 ? texts::kOneHour : texts::kHours).In(language);
    }
    return text;
}

std::string CellTooltip(const FolderEntry& entry, FolderColumn column, Language language) {
    switch (column) {
        case kRetentionColumn:
            return RetentionTooltip(ComposeCell(entry, column, language).text, language);
        case kPathColumn:
            return ComposeCell(entry, column, language).text;
        case kActionColumn:
            return entry.destination.empty() ? std::string()
                                             : ComposeCell(entry, column, language).text;
        default:
            return {};
    }
}

ResizeLayout ComputeResizeLayout(const ResizeInput& input) {
    ResizeLayout layout;
    const std::optional<int> width = IfPositive(std::int64_t{input.innerWidth} - 1);
    const std::optional<int> height = IfPositive(std::int64_t{input.innerHeight} - input.gridTop);
    if (width && height) {
        layout.gridWidth = width;
        layout.gridHeight = height;
    }
    layout.purgeTimeLabelLeft = RightAlignedLeft(input, input.purgeTimeLabelWidth);
    layout.lastPurgeLabelLeft = RightAlignedLeft(input, input.lastPurgeLabelWidth);

    for (std::size_t column :
         {kFileCountColumn, kRetentionColumn, kSubfoldersColumn, kDateColumn}) {
        layout.columnWidths[column] = input.narrowColumnWidth;
    }
    // The rows taller than the grid bring a scroll bar, which the columns leave room for.
    const bool scrolls = layout.gridHeight && input.gridContentHeight > *layout.gridHeight;
    if (layout.gridWidth) {
        if (const std::optional<int> room =
                IfPositive(*layout.gridWidth - 4 * std::int64_t{input.narrowColumnWidth} -
                           (scrolls ? input.scrollBarWidth : 0))) {
            layout.columnWidths[kPathColumn] = *room / 2;
            layout.columnWidths[kActionColumn] = *room / 2;
        }
    }

    // The window's margin is also the least room between two texts of a row.
    const std::int64_t margin = std::max(0, input.startButtonLeft);
    const std::int64_t hintWidth = input.hintLabelWidth;
    const std::int64_t hintRoom = std::int64_t{input.outerWidth} - hintWidth;
    if (hintRoom > 0) {
        // Centred, unless that would run into the purge time or what the row shows on its left.
        std::int64_t left = hintRoom / 2;
        if (input.purgeTimeLabelShown && layout.purgeTimeLabelLeft) {
            left = std::min(left, *layout.purgeTimeLabelLeft - margin - hintWidth);
        }
        left = std::max(left, input.firstRowLeftEnd > 0 ? input.firstRowLeftEnd + margin : margin);
        layout.hintLabelLeft = static_cast<int>(std::min<std::int64_t>(left, hintRoom));
    }

    const auto rowStart = [margin](int leftEnd) {
        return leftEnd > 0 ? std::int64_t{leftEnd} + margin : margin;
    };
    std::int64_t firstRow = rowStart(input.firstRowLeftEnd) + margin;
    if (input.hintShown) {
        firstRow += hintWidth + margin;
    }
    if (input.purgeTimeLabelShown) {
        firstRow += input.purgeTimeLabelWidth;
    }
    const std::int64_t secondRow =
        rowStart(input.secondRowLeftEnd) + input.lastPurgeLabelWidth + margin;
    // The grid is one pixel narrower than the window.
    const std::int64_t grid = 1 + 4 * std::int64_t{input.narrowColumnWidth} +
                              2 * std::int64_t{input.wideColumnMinimum} +
                              (scrolls ? input.scrollBarWidth : 0);
    layout.minimumInnerWidth = static_cast<int>(std::clamp<std::int64_t>(
        std::max({firstRow, secondRow, grid}), 0, std::numeric_limits<int>::max()));
    return layout;
}

bool RemoveSelectedFolder(const CommandContext& context, std::ptrdiff_t row) {
    std::vector<FolderEntry>& entries = context.folders.Entries();
    if (row < 0 || static_cast<std::size_t>(row) >= entries.size()) {
        return false;
    }
    const Language language = context.settings.language();
    const std::string question = std::string(texts::kRemoveFolderStart.In(language)) +
                                 entries[static_cast<std::size_t>(row)].path +
                                 std::string(texts::kRemoveFolderEnd.In(language));
    if (AskYesNo(context.frontEnd, question, context.settings.ProgramTitle) != MessageAnswer::Yes) {
        return false;
    }
    entries.erase(entries.begin() + row);
    RecomputeTotal(context.folders);
    SaveFolderList(context.config, context.settings, context.folders);
    context.frontEnd.Window().FolderListChanged();
    return true;
}

void ToggleShortPathnames(Settings& settings, ConfigStore& config) {
    settings.UseShortPathnames = !settings.UseShortPathnames;
    config.Write("Paths", "UseShortPathnames", settings.UseShortPathnames ? "1" : "0");
}

void EditConfigurationFile(const CommandContext& context) {
    if (context.edit) {
        context.edit(context.settings.ConfigPath);
    }
    // Whether or not an editor came up: the file is only read at start-up.
    context.frontEnd.ShowMessage(
        {std::string(texts::kRestartAfterEdit.In(context.settings.language())),
         context.settings.ProgramTitle, MessageIcon::Exclamation, MessageButtons::Ok,
         MessageAnswer::Ok});
}

std::string HelpFilePath(const Settings& settings) {
    return platform::JoinPath(settings.HelpFolder, texts::kHelpFile.In(settings.language()));
}

void ShowHelp(const CommandContext& context) {
    const std::string path = HelpFilePath(context.settings);
    if (!context.exists || !context.exists(path)) {
        context.frontEnd.ShowMessage(
            {std::string(texts::kHelpNotAvailable.In(context.settings.language())),
             context.settings.ProgramTitle, MessageIcon::Information, MessageButtons::Ok,
             MessageAnswer::Ok});
        return;
    }
    if (context.open) {
        context.open(path);
    }
}

bool ConfirmExit(const Settings& settings, FrontEnd& frontEnd) {
    // No by default: Enter alone must not end a program that runs the schedule.
    return AskYesNo(frontEnd, std::string(texts::kExitProgram.In(settings.language())),
                    settings.ProgramTitle, MessageAnswer::No) == MessageAnswer::Yes;
}

std::string ServiceInstalledQuestion(HostSystem system, Language language, bool userUnit) {
    if (system == HostSystem::Windows) {
        return std::string(texts::kServiceInstalledQuestion.In(language));
    }
    const std::string status =
        userUnit ? "systemctl --user status quellix" : "systemctl status quellix";
    return ReplaceAll(std::string(texts::kServiceInstalledQuestionSystemd.In(language)), "@",
                      status);
}

InstalledServiceOutcome CheckInstalledService(const Settings& settings, ServiceHost& service,
                                              FrontEnd& frontEnd) {
    if (!settings.IsNt || !service.IsInstalled()) {
        return InstalledServiceOutcome::NotInstalled;
    }
    if (service.IsServiceProcess()) {
        return InstalledServiceOutcome::ServiceProcess;
    }
    const Language language = settings.language();
    if (AskYesNo(frontEnd,
                 ServiceInstalledQuestion(kHostSystem, language, platform::EffectiveUserId() != 0),
                 texts::kServiceQuestionTitle) != MessageAnswer::Yes) {
        return InstalledServiceOutcome::EndProgram;
    }
    if (service.Uninstall()) {
        service.WriteEventLog(texts::kServiceRemoved.In(language), EventType::Information);
        return InstalledServiceOutcome::Removed;
    }
    // The service stays registered: this copy must not purge beside it.
    const std::string_view failure = texts::kServiceNotRemoved.In(language);
    service.WriteEventLog(failure, EventType::Error);
    frontEnd.ShowMessage({std::string(failure), settings.ProgramTitle, MessageIcon::Exclamation,
                          MessageButtons::Ok, MessageAnswer::Ok});
    return InstalledServiceOutcome::EndProgram;
}

}  // namespace quellix
