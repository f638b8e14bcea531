#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/file_counter.h"
#include "core/common/folder_editor_mode.h"
#include "core/common/folder_list.h"
#include "core/common/front_end.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"

namespace quellix {

// What the editor works on: the list it writes into, where the list is saved, and how files are
// counted.
struct FolderEditorContext {
    Settings& settings;
    ConfigStore& store;
    FolderList& folders;
    FileCounter countFiles;
    std::string homeFolder;
};

// What the editor's controls hold.
struct EditorState {
    std::string folder;
    std::string retention;
    bool includeSubfolders = false;
    // The check mark only: it counts only while include subfolders is on.
    bool deleteEmptySubfolders = false;
    bool deleteReadOnly = false;
    // 0 last modification (M), 1 creation (C), 2 last access (A).
    int dateIndex = 0;
    // 0 delete, 1 Recycle Bin, 2 move to the destination.
    int actionIndex = 0;
    std::string destination;
    bool createShortcut = false;
};

// Which controls the choices leave usable.
struct EditorControlStates {
    bool deleteEmptyEnabled = false;
    bool destinationEnabled = false;
    bool shortcutEnabled = false;
};
EditorControlStates ControlStatesOf(const EditorState& state);

// Where the editor writes its row: an add inserts at index (appends when there is none); a
// modify rewrites the row at index.
struct EditorTarget {
    bool addMode = true;
    std::optional<std::size_t> index;
};

// How the editor opens for a command on the selected row (0-based, -1 for none).
struct EditorOpening {
    EditorTarget target;
    std::string title;
    EditorState state;
    // The folder the drive and folder lists are first positioned on; none leaves them on the
    // current folder.
    std::optional<std::string> startFolder;
    // A modify whose folder does not exist: the warning in red, and a beep.
    bool unknownFolder = false;
};

// nullopt for a modify without a row to modify.
std::optional<EditorOpening> OpenFolderEditor(FolderEditorMode mode, std::ptrdiff_t selectedRow,
                                              const FolderList& list, Language language);

struct RetentionFeedback {
    bool visible = false;
    std::string text;
    bool beep = false;
};

// A retention the purge can use: a plain decimal number, with a point, of at least one hour.
bool IsValidRetention(std::string_view text);

// The label beside the retention: "Invalid value" (with a beep), "(2 days)", or hidden below a
// day.
RetentionFeedback RetentionFeedbackFor(std::string_view text, Language language);

// "/" itself, the folders of the operating system and the home folder itself (home may be empty);
// on Windows a whole drive, and Windows, Program Files and ProgramData on any drive.
bool IsSystemFolder(std::string_view folder, std::string_view home);

// The entry the editor writes, not counted yet.
FolderEntry ComposeEntry(const EditorState& state);

struct EditorOkContext {
    Settings& settings;
    ConfigStore& store;
    FolderList& folders;
    FileCounter countFiles;
    std::string homeFolder;
};

struct EditorOkOutcome {
    enum class Kind { Refused, AskSystemFolder, Written };
    Kind kind = Kind::Refused;
    // The refusal or the question to show.
    MessageRequest message;
    // The index of the row written.
    std::size_t row = 0;
};

// The OK sequence: the first refusal, or the question for a system folder unless it was
// confirmed; otherwise counts the folder's files, writes the row, recomputes the total and saves
// the list. Nothing changes before every check has passed.
EditorOkOutcome RunEditorOk(const EditorTarget& target, const EditorState& state,
                            bool systemFolderConfirmed, const EditorOkContext& context);

}  // namespace quellix
