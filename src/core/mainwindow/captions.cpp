#include "core/mainwindow/captions.h"

#include <set>

#include "core/common/folder_list_texts.h"
#include "core/config/config_texts.h"

namespace quellix {

namespace {

bool IsEither(std::string_view text, const TextPair& pair) {
    return text == pair.english || text == pair.french;
}

// The start-up placeholder stands for "no purge yet" and follows the language like any text.
std::string_view LastPurgeDate(const Settings& settings) {
    if (IsEither(settings.DateDernierePurge, texts::kLastPurgePlaceholder)) {
        return texts::kLastPurgePlaceholder.In(settings.language());
    }
    return settings.DateDernierePurge;
}

}  // namespace

std::vector<Caption> CaptionsFor(const Settings& settings) {
    const Language language = settings.language();
    std::vector<Caption> captions;
    for (const CaptionEntry& entry : kMainWindowCaptions) {
        if (entry.property == CaptionProperty::CheckMark) {
            captions.push_back({entry.control, entry.property, {}, entry.tickedIn == language});
        } else {
            captions.push_back(
                {entry.control, entry.property, std::string(entry.text.In(language))});
        }
    }
    captions.push_back({"lblHeurePurge", CaptionProperty::Caption, PurgeTimeText(settings)});
    captions.push_back(
        {"lblDernierePurge", CaptionProperty::Caption, LastPurgeStatusText(settings)});
    return captions;
}

std::string PurgeTimeText(const Settings& settings) {
    const Language language = settings.language();
    const std::string& days =
        language == Language::French ? settings.DaysDisplayFr : settings.DaysDisplayEn;
    return std::string(texts::kPurgeAt.In(language)) + settings.Heure + days;
}

std::string LastPurgeStatusText(const Settings& settings) {
    const Language language = settings.language();
    std::string text(texts::kLastPurgeStart.In(language));
    text += LastPurgeDate(settings);
    text += texts::kLastPurgeDeleted.In(language);
    text += std::to_string(settings.NbDernierePurge);
    text += texts::kLastPurgeFiles.In(language);
    text += std::to_string(settings.NbDernierePurgeDossiers);
    text += texts::kLastPurgeSubfolders.In(language);
    text += std::to_string(settings.NbLocked);
    text += texts::kLastPurgeEnd.In(language);
    return text;
}

std::string_view AddFolderCaption(bool listEmpty, Language language) {
    return (listEmpty ? texts::kAddFirstFolder : texts::kAddFolderBefore).In(language);
}

std::array<std::string, kFolderColumnCount> FolderHeaderTexts(const FolderList& list,
                                                              Language language) {
    return {TotalHeader(list, language),
            FolderListTitle(list, language),
            std::string(texts::kKeepHeader.In(language)),
            std::string(texts::kIncludeHeader.In(language)),
            std::string(texts::kDateHeader.In(language)),
            std::string(texts::kDestinationHeader.In(language))};
}

NarrowColumnTexts NarrowColumnTextsOf(const FolderList& list, FolderColumn column) {
    std::set<std::string> headers;
    std::set<std::string> cells;
    for (const Language language : {Language::English, Language::French}) {
        headers.insert(FolderHeaderTexts(list, language)[column]);
        for (const FolderEntry& entry : list.Entries()) {
            cells.insert(ComposeCell(entry, column, language).text);
        }
        if (column == kFileCountColumn) {
            // Counts still to come: the word for a missing folder, and six digits.
            cells.emplace(texts::kUnknown.In(language));
            cells.emplace("999999");
        }
    }
    return {{headers.begin(), headers.end()}, {cells.begin(), cells.end()}};
}

Language SwitchLanguage(Settings& settings, ConfigStore& config, FolderList& list) {
    // Both items act as one toggle: the check marks swap, so the language always flips.
    const Language language =
        settings.language() == Language::French ? Language::English : Language::French;
    settings.Langue = language == Language::French ? 1 : 0;
    config.Write("Purge", "Langue", language == Language::French ? "1" : "0");
    // The count header is rewritten too: from now on it reads the last total, 0 before any count.
    list.SetGrandTotal(list.GrandTotal());
    return language;
}

}  // namespace quellix
