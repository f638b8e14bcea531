#include "core/dialogs/folder_editor_rules.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/config/config_texts.h"
#include "core/config/config_values.h"
#include "core/config/folder_list_store.h"
#include "core/config/number_scan.h"
#include "core/dialogs/folder_editor_texts.h"
#include "core/mainwindow/count_pass.h"
#include "core/mainwindow/main_window_rules.h"
#include "core/purge/purge_engine.h"
#include "platform/file_system.h"
#include "platform/path_text.h"

namespace quellix {

namespace {

constexpr std::string_view kShortcutMark = "[+S] ";
constexpr const char* kDateLetters[] = {"M", "C", "A"};

bool FolderExists(const std::string& path) {
    return platform::IsAbsolutePath(path) && platform::IsExistingDirectory(path);
}

int DateIndexOf(char dateKind) {
    return dateKind == 'M' ? 0 : dateKind == 'C' ? 1 : 2;
}

int ActionIndexOf(FolderAction action) {
    return action == FolderAction::Delete ? 0 : action == FolderAction::RecycleBin ? 1 : 2;
}

EditorState StateFromEntry(const FolderEntry& entry) {
    EditorState state;
    state.retention = entry.retention;
    state.includeSubfolders = entry.includeSubfolders;
    state.deleteEmptySubfolders = entry.deleteEmptySubfolders;
    state.deleteReadOnly = entry.deleteReadOnly;
    state.dateIndex = DateIndexOf(entry.DateKind());
    state.actionIndex = ActionIndexOf(entry.action);
    if (entry.action == FolderAction::Move || entry.action == FolderAction::None) {
        state.destination = entry.destination;
        state.createShortcut = entry.createShortcut;
    }
    return state;
}

// An absolute path cut into its root (the file system's, a drive's or a network share's) and the
// names below it, "." and ".." resolved by the text alone; nullopt for a relative path.
struct AbsolutePath {
    std::string_view root;
    std::vector<std::string_view> names;
};

std::optional<AbsolutePath> SplitAbsolute(std::string_view path) {
    const std::size_t rootLength = platform::RootLength(path);
    if (rootLength == 0) {
        return std::nullopt;
    }
    AbsolutePath parts{path.substr(0, rootLength), {}};
    std::size_t start = rootLength;
    while (start < path.size()) {
        std::size_t end = start;
        while (end < path.size() && !platform::IsPathSeparator(path[end])) {
            ++end;
        }
        const std::string_view name = path.substr(start, end - start);
        if (name == "..") {
            if (!parts.names.empty()) {
                parts.names.pop_back();
            }
        } else if (!name.empty() && name != ".") {
            parts.names.push_back(name);
        }
        start = end + 1;
    }
    return parts;
}

// Drive letters and names on a Windows drive compare without regard to case, and "/" is "\".
bool SameIgnoringCase(std::string_view a, std::string_view b) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&upper](char x, char y) {
               return upper(x) == upper(y) ||
                      (platform::IsPathSeparator(x) && platform::IsPathSeparator(y));
           });
}

// A drive or a network share rather than the one root: the system's folders are Windows's.
bool IsWindowsRoot(std::string_view root) {
    return root.size() > 1;
}

// The system, the programs and their shared data, on whatever drive Windows is.
bool IsWindowsSystemTree(std::string_view top) {
    static constexpr std::string_view kTrees[] = {"Windows", "WINNT", "Program Files",
                                                  "Program Files (x86)", "ProgramData"};
    return std::any_of(std::begin(kTrees), std::end(kTrees),
                       [top](std::string_view tree) { return SameIgnoringCase(top, tree); });
}

bool IsSystemTree(std::string_view top) {
    static constexpr std::string_view kTrees[] = {"bin", "boot", "dev", "etc", "proc",
                                                  "run", "sbin", "sys", "usr", "var"};
    return top.starts_with("lib") ||
           std::find(std::begin(kTrees), std::end(kTrees), top) != std::end(kTrees);
}

std::string UpperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    return text;
}

MessageRequest Refusal(const TextPair& text, const Settings& settings) {
    return MessageRequest{std::string(text.In(settings.language())), settings.ProgramTitle,
                          MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok};
}

EditorOkOutcome Refused(const TextPair& text, const Settings& settings) {
    return EditorOkOutcome{EditorOkOutcome::Kind::Refused, Refusal(text, settings), 0};
}

// The texts the file stores for the folder and the destination must come back whole: a cut
// path could name a parent folder.
std::optional<TextPair> FirstRefusal(const EditorState& state) {
    if (!IsValidRetention(state.retention)) {
        return texts::kFixKeepTime;
    }
    if (state.folder.empty()) {
        return texts::kNoFolderSelected;
    }
    if (TrimSpaces(state.folder).size() > kMaxStoredPathBytes) {
        return texts::kFolderPathTooLong;
    }
    if (state.actionIndex == 2 && !FolderExists(state.destination)) {
        return texts::kInvalidDestination;
    }
    if (state.actionIndex == 2 &&
        (state.createShortcut ? kShortcutMark.size() : 0) + state.destination.size() >
            kMaxStoredPathBytes) {
        return texts::kDestinationPathTooLong;
    }
    return std::nullopt;
}

bool IsInList(const std::string& folder, const FolderList& folders,
              std::optional<std::size_t> skipped) {
    const std::string wanted = UpperCase(folder);
    for (std::size_t i = 0; i < folders.Size(); ++i) {
        if (i != skipped && UpperCase(folders.Entries()[i].path) == wanted) {
            return true;
        }
    }
    return false;
}

// Writes the composed entry; returns its index.
std::size_t ApplyEntry(const EditorTarget& target, FolderEntry composed, FolderList& folders) {
    std::vector<FolderEntry>& entries = folders.Entries();
    if (target.addMode) {
        const std::size_t index = std::min(target.index.value_or(entries.size()), entries.size());
        entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(index), std::move(composed));
        return index;
    }
    FolderEntry& entry = entries[*target.index];
    // The picture of the last rise or fall stays; the new texts are not known missing.
    composed.trend = entry.trend;
    composed.countMark = CellMark::Found;
    composed.folderMark = CellMark::Found;
    composed.destinationMark = CellMark::Found;
    entry = std::move(composed);
    return *target.index;
}

}  // namespace

EditorControlStates ControlStatesOf(const EditorState& state) {
    const bool moves = state.actionIndex == 2;
    return EditorControlStates{state.includeSubfolders, moves, moves};
}

std::optional<EditorOpening> OpenFolderEditor(FolderEditorMode mode, std::ptrdiff_t selectedRow,
                                              const FolderList& list, Language language) {
    const bool hasRow = selectedRow >= 0 && static_cast<std::size_t>(selectedRow) < list.Size();
    const auto row = static_cast<std::size_t>(selectedRow);
    EditorOpening opening;
    opening.title = texts::kEditorTitle.In(language);
    if (mode == FolderEditorMode::Modify) {
        if (!hasRow) {
            return std::nullopt;
        }
        opening.target = EditorTarget{false, row};
        opening.title = texts::kModifyFolderTitle.In(language);
        opening.state = StateFromEntry(list.Entries()[row]);
    } else if (hasRow) {
        opening.target = EditorTarget{true, mode == FolderEditorMode::AddAfter ? row + 1 : row};
        opening.title = texts::kAddFolderTitle.In(language);
        opening.state.retention = list.Entries()[row].retention;
    }
    if (hasRow) {
        const std::string& folder = list.Entries()[row].path;
        if (FolderExists(folder)) {
            opening.startFolder = folder;
        } else {
            opening.unknownFolder = mode == FolderEditorMode::Modify;
        }
    }
    return opening;
}

bool IsValidRetention(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    if (first == std::string_view::npos) {
        return false;
    }
    std::string_view number = text.substr(first, last - first + 1);
    if (number.starts_with('+') || number.starts_with('-')) {
        number.remove_prefix(1);
    }
    // Only a point: the list and the file read the number up to its first other character, so
    // "2,5" would be taken as 2 hours without a word.
    const bool digitsAndOnePoint =
        number.find_first_not_of("0123456789.") == std::string_view::npos &&
        std::count(number.begin(), number.end(), '.') <= 1 &&
        number.find_first_of("0123456789") != std::string_view::npos;
    if (!digitsAndOnePoint) {
        return false;
    }
    // An endless value would stop the next start-up as an invalid keep time.
    const double value = ScanLeadingNumber(text);
    return std::isfinite(value) && value >= 1;
}

RetentionFeedback RetentionFeedbackFor(std::string_view text, Language language) {
    if (!IsValidRetention(text)) {
        return RetentionFeedback{true, std::string(texts::kInvalidValue.In(language)), true};
    }
    // The tooltip's days and hours; its singular words are only used for 1, where the editor's
    // "below 2" rule gives the same, since a day count is never 0 and a rest of 0 is not shown.
    // A value too large for whole hours gives no text, as the editor counts it as 0 hours.
    const std::string days = RetentionTooltip(text, language);
    if (days.empty()) {
        return {};
    }
    return RetentionFeedback{true, "(" + days + ")", false};
}

bool IsSystemFolder(std::string_view folder, std::string_view home) {
    const auto path = SplitAbsolute(folder);
    if (!path) {
        return false;
    }
    const std::vector<std::string_view>& names = path->names;
    // A whole disk: "/", or a drive.
    if (names.empty()) {
        return true;
    }
    const bool onWindows = IsWindowsRoot(path->root);
    const bool inTemporary = names.size() >= 2 && names[0] == "var" && names[1] == "tmp";
    if (onWindows ? IsWindowsSystemTree(names.front())
                  : IsSystemTree(names.front()) && !inTemporary) {
        return true;
    }
    const auto homePath = SplitAbsolute(home);
    if (!homePath || homePath->names.empty() || homePath->names.size() != names.size()) {
        return false;
    }
    const auto same = [onWindows](std::string_view a, std::string_view b) {
        return onWindows ? SameIgnoringCase(a, b) : a == b;
    };
    return same(homePath->root, path->root) &&
           std::equal(names.begin(), names.end(), homePath->names.begin(), same);
}

FolderEntry ComposeEntry(const EditorState& state) {
    FolderEntry entry;
    entry.path = state.folder;
    entry.retention = state.retention;
    entry.includeSubfolders = state.includeSubfolders;
    entry.deleteEmptySubfolders = state.includeSubfolders && state.deleteEmptySubfolders;
    entry.deleteReadOnly = state.deleteReadOnly;
    entry.date = kDateLetters[std::clamp(state.dateIndex, 0, 2)];
    if (state.actionIndex == 0) {
        SetAction(entry, FolderAction::Delete);
    } else if (state.actionIndex == 1) {
        SetAction(entry, FolderAction::RecycleBin);
    } else {
        SetAction(entry, FolderAction::Move, state.destination, state.createShortcut);
    }
    return entry;
}

EditorOkOutcome RunEditorOk(const EditorTarget& target, const EditorState& state,
                            bool systemFolderConfirmed, const EditorOkContext& context) {
    const Settings& settings = context.settings;
    if (auto refusal = FirstRefusal(state)) {
        return Refused(*refusal, settings);
    }
    if (!systemFolderConfirmed && IsSystemFolder(state.folder, context.homeFolder)) {
        // No is the default: Enter alone must not confirm a purge of system files.
        return EditorOkOutcome{
            EditorOkOutcome::Kind::AskSystemFolder,
            MessageRequest{std::string(texts::kSystemFolderQuestion.In(settings.language())),
                           settings.ProgramTitle, MessageIcon::Exclamation, MessageButtons::YesNo,
                           MessageAnswer::No},
            0};
    }
    const bool modifies = !target.addMode;
    if (modifies && (!target.index || *target.index >= context.folders.Size())) {
        return Refused(texts::kNoFolderSelected, settings);
    }
    // One more would make a list the next start refuses.
    if (!modifies && context.folders.Size() >= static_cast<std::size_t>(kMaxFolderEntries)) {
        return Refused(texts::kFolderListFull, settings);
    }
    FolderEntry entry = ComposeEntry(state);
    if (IsInList(state.folder, context.folders, modifies ? target.index : std::nullopt)) {
        return Refused(texts::kAlreadyInList, settings);
    }

    entry.count = FileCount::Of(context.countFiles(state.folder, state.includeSubfolders));
    const std::size_t written = ApplyEntry(target, std::move(entry), context.folders);
    RecomputeTotal(context.folders);
    SaveFolderList(context.store, context.settings, context.folders);
    return EditorOkOutcome{EditorOkOutcome::Kind::Written, {}, written};
}

}  // namespace quellix
