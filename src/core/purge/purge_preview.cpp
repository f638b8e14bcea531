#include "core/purge/purge_preview.h"

#include "core/purge/purge_actions.h"
#include "core/purge/purge_engine.h"

namespace quellix {

namespace {

class EntryRecorder final : public OutcomeSink {
  public:
    explicit EntryRecorder(PurgePreview::Entry& entry) : entry_(entry) {}
    void Record(const PurgeOutcome& outcome) override {
        entry_.outcomes.push_back(outcome);
        entry_.totals.Add(outcome);
    }

  private:
    PurgePreview::Entry& entry_;
};

}  // namespace

void PurgePreview::Totals::Add(const PurgeOutcome& outcome) {
    if (IsFileHandled(outcome.kind)) {
        ++files;
        bytes += outcome.bytes;
    } else if (outcome.kind == OutcomeKind::SubfolderRemoved) {
        ++folders;
    } else if (outcome.kind == OutcomeKind::Locked) {
        ++locked;
    } else {
        ++left;
    }
}

void PurgePreview::Totals::Add(const Totals& other) {
    files += other.files;
    bytes += other.bytes;
    folders += other.folders;
    locked += other.locked;
    left += other.left;
}

PurgePreview PreviewPurge(const FolderList& folders, PurgeEngine& engine) {
    PurgePreview preview;
    const std::unique_ptr<PurgeActions> actions = MakePreviewActions();
    PurgeRunState run;
    run.preview = actions.get();
    for (const FolderEntry& entry : folders.Entries()) {
        if (engine.StopRequested()) {
            break;
        }
        PurgePreview::Entry& shown = preview.entries.emplace_back();
        shown.index = preview.entries.size() - 1;
        shown.path = entry.path;
        shown.skipped = entry.count.IsUnknown();
        if (shown.skipped) {
            continue;
        }
        EntryRecorder recorder(shown);
        run.outcomes = &recorder;
        engine.PurgeEntry(entry, run);
        preview.total.Add(shown.totals);
    }
    return preview;
}

}  // namespace quellix
