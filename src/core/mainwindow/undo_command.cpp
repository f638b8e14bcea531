#include "core/mainwindow/undo_command.h"

#include "core/common/front_end.h"
#include "core/mainwindow/undo_texts.h"
#include "core/purge/undo_last.h"

namespace quellix {

namespace {

// A message box holds the first files left; the rest are counted.
constexpr std::size_t kLeftShown = 10;

std::string_view Why(UndoLeft why, Language language) {
    switch (why) {
        case UndoLeft::Gone:
            return texts::kUndoGone.In(language);
        case UndoLeft::PlaceTaken:
            return texts::kUndoPlaceTaken.In(language);
        case UndoLeft::FolderGone:
            return texts::kUndoFolderGone.In(language);
        case UndoLeft::Failed:
            break;
    }
    return texts::kUndoFailed.In(language);
}

void Tell(FrontEnd& frontEnd, const Settings& settings, std::string text, MessageIcon icon) {
    frontEnd.ShowMessage(
        {std::move(text), settings.ProgramTitle, icon, MessageButtons::Ok, MessageAnswer::Ok});
}

}  // namespace

void UndoLastPurgeCommand(const Settings& settings, FrontEnd& frontEnd,
                          const std::function<void()>& countPass) {
    const Language language = settings.language();
    const LastRun last = ReadLastRun(settings.JournalPath);
    if (last.state == LastRun::State::Refused) {
        Tell(frontEnd, settings,
             std::string(texts::kUndoRefused.In(language)) + settings.JournalPath,
             MessageIcon::Exclamation);
        return;
    }
    const std::size_t files = FilesToRestore(last.records);
    if (files == 0) {
        Tell(frontEnd, settings, std::string(texts::kUndoNothing.In(language)),
             MessageIcon::Information);
        return;
    }
    const std::string question = files == 1 ? std::string(texts::kUndoQuestionOne.In(language))
                                            : std::string(texts::kUndoQuestionStart.In(language)) +
                                                  std::to_string(files) +
                                                  std::string(texts::kUndoQuestionEnd.In(language));
    if (frontEnd.ShowMessage({question, settings.ProgramTitle, MessageIcon::Question,
                              MessageButtons::YesNo, MessageAnswer::No}) != MessageAnswer::Yes) {
        return;
    }
    const UndoReport report = UndoLastRun(settings.JournalPath, last.records);
    std::string text = report.restored.size() == 1 ? std::string(texts::kUndoBackOne.In(language))
                                                   : std::to_string(report.restored.size()) +
                                                         std::string(texts::kUndoBack.In(language));
    if (!report.left.empty()) {
        text += texts::kUndoLeftStart.In(language);
        for (std::size_t i = 0; i < report.left.size() && i < kLeftShown; ++i) {
            text += "\n" + report.left[i].path + " (" +
                    std::string(Why(report.left[i].why, language)) + ")";
        }
        if (report.left.size() > kLeftShown) {
            text += std::string(texts::kUndoMore.In(language)) +
                    std::to_string(report.left.size() - kLeftShown) +
                    std::string(texts::kUndoMoreEnd.In(language));
        }
    }
    Tell(frontEnd, settings, text,
         report.left.empty() ? MessageIcon::Information : MessageIcon::Exclamation);
    if (countPass) {
        countPass();
    }
}

}  // namespace quellix
