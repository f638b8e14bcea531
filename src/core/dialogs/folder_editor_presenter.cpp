#include "core/dialogs/folder_editor_presenter.h"

#include <string>
#include <utility>

#include "core/dialogs/folder_editor_texts.h"

namespace quellix {

namespace {

constexpr std::string_view kFolderLabel = "lblRepertoire";
constexpr std::string_view kFolderWarning = "lblDossier";
constexpr std::string_view kRetention = "comboRetention";
constexpr std::string_view kRetentionFeedback = "lblErrRetention";
constexpr std::string_view kSubfolders = "chkSousDossiers";
constexpr std::string_view kDeleteEmpty = "chkEffacerSousDossiersVides";
constexpr std::string_view kReadOnly = "chkFichiersLectureSeule";
constexpr std::string_view kDates[] = {"optDate0", "optDate1", "optDate2"};
constexpr std::string_view kActions[] = {"optDestination0", "optDestination1", "optDestination2"};
constexpr std::string_view kChooseDestination = "cmdAutreDossier";
constexpr std::string_view kDestination = "lblAutreDossier";
constexpr std::string_view kShortcut = "chkShortCut";
constexpr std::string_view kOk = "cmdOK";
constexpr int kMoveAction = 2;

// The option button of a group that is on; the first when none is.
template <std::size_t N>
int CheckedOf(const FolderEditorView& view, const std::string_view (&options)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (view.IsChecked(options[i])) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

}  // namespace

FolderEditorPresenter::FolderEditorPresenter(FolderEditorView& view, const EditorOpening& opening,
                                             EditorOkContext context)
    : view_(view), opening_(opening), context_(std::move(context)) {}

void FolderEditorPresenter::Load() {
    ShowCaptions(view_, kFolderEditorCaptions, language());
    view_.SetTextColour(kRetentionFeedback, Settings::DeleteColour);
    view_.SetVisible(kRetentionFeedback, false);
    view_.SetTextColour(kActions[0], Settings::DeleteColour);
    view_.SetTextColour(kActions[1], Settings::RecycleColour);

    const EditorState& state = opening_.state;
    const bool positioned = opening_.startFolder && view_.ShowFolder(*opening_.startFolder);
    OnFolderChanged();
    // A row to modify whose folder cannot be shown keeps the lists on the current folder.
    ShowFolderWarning(!opening_.target.addMode && !positioned);

    // An empty box is left without a word until something is typed.
    if (!state.retention.empty()) {
        view_.SetText(kRetention, state.retention);
        OnRetentionChanged();
    }
    view_.SetChecked(kSubfolders, state.includeSubfolders);
    view_.SetChecked(kDeleteEmpty, state.deleteEmptySubfolders);
    view_.SetChecked(kReadOnly, state.deleteReadOnly);
    view_.SetChecked(kDates[state.dateIndex], true);
    view_.SetChecked(kActions[state.actionIndex], true);
    OnActionChosen();
    view_.SetText(kDestination, state.destination);
    view_.SetChecked(kShortcut, state.createShortcut);
    view_.SetText(kWindow, opening_.title);
}

void FolderEditorPresenter::OnFolderChanged() {
    view_.SetText(kFolderLabel, view_.CurrentFolder());
}

void FolderEditorPresenter::OnRetentionChanged() {
    const RetentionFeedback feedback = RetentionFeedbackFor(view_.Text(kRetention), language());
    view_.SetText(kRetentionFeedback, feedback.text);
    view_.SetVisible(kRetentionFeedback, feedback.visible);
    if (feedback.beep) {
        view_.Beep();
    }
}

void FolderEditorPresenter::OnSubfoldersToggled() {
    ApplyControlStates();
}

void FolderEditorPresenter::OnActionChosen() {
    if (CheckedOf(view_, kActions) != kMoveAction) {
        view_.SetText(kDestination, "");
    }
    ApplyControlStates();
}

void FolderEditorPresenter::OnBrowse() {
    const std::optional<std::string> folder =
        view_.BrowseFolder(texts::kBrowseTitle.In(language()), view_.CurrentFolder());
    if (folder && !folder->empty()) {
        // A folder the lists cannot show leaves them where they were.
        view_.ShowFolder(*folder);
    }
}

void FolderEditorPresenter::OnChooseDestination() {
    if (const auto chosen = view_.PickDestination(view_.Text(kDestination))) {
        view_.SetText(kDestination, *chosen);
    }
}

void FolderEditorPresenter::OnOk() {
    const EditorState state = CurrentState();
    SetBusy(true);
    EditorOkOutcome outcome = RunEditorOk(opening_.target, state, false, context_);
    if (outcome.kind == EditorOkOutcome::Kind::AskSystemFolder) {
        SetBusy(false);
        if (view_.ShowMessage(outcome.message) != MessageAnswer::Yes) {
            return;
        }
        SetBusy(true);
        outcome = RunEditorOk(opening_.target, state, true, context_);
    }
    SetBusy(false);
    if (outcome.kind != EditorOkOutcome::Kind::Written) {
        view_.ShowMessage(outcome.message);
        return;
    }
    written_ = outcome.row;
    view_.Close(true);
}

void FolderEditorPresenter::OnCancel() {
    if (!busy_) {
        view_.Close(false);
    }
}

void FolderEditorPresenter::ApplyControlStates() {
    const EditorControlStates states = ControlStatesOf(CurrentState());
    view_.SetEnabled(kDeleteEmpty, states.deleteEmptyEnabled);
    view_.SetEnabled(kChooseDestination, states.destinationEnabled);
    view_.SetEnabled(kDestination, states.destinationEnabled);
    view_.SetEnabled(kShortcut, states.shortcutEnabled);
}

void FolderEditorPresenter::ShowFolderWarning(bool unknown) {
    view_.SetText(
        kFolderWarning,
        (unknown ? texts::kUnknownSelectedFolder : texts::kSelectedFolder).In(language()));
    view_.SetTextColour(kFolderWarning,
                        unknown ? std::optional<Colour>(Settings::DeleteColour) : std::nullopt);
    if (unknown) {
        view_.Beep();
    }
}

void FolderEditorPresenter::SetBusy(bool busy) {
    if (busy == busy_) {
        return;
    }
    busy_ = busy;
    view_.SetEnabled(kOk, !busy);
    view_.ShowBusy(busy);
}

EditorState FolderEditorPresenter::CurrentState() const {
    EditorState state;
    state.folder = view_.Text(kFolderLabel);
    state.retention = view_.Text(kRetention);
    state.includeSubfolders = view_.IsChecked(kSubfolders);
    state.deleteEmptySubfolders = view_.IsChecked(kDeleteEmpty);
    state.deleteReadOnly = view_.IsChecked(kReadOnly);
    state.dateIndex = CheckedOf(view_, kDates);
    state.actionIndex = CheckedOf(view_, kActions);
    state.destination = view_.Text(kDestination);
    state.createShortcut = view_.IsChecked(kShortcut);
    return state;
}

}  // namespace quellix
