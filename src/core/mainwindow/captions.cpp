#include "core/mainwindow/captions.h"

#include "core/config/config_texts.h"

namespace quellix {

namespace {

bool IsEither(std::string_view text, const TextPair& pair) {
    return text == pair.english || text == pair.french;
}

// A word of either language becomes the word of language; any other text is left alone.
void TranslateWord(std::string& cell, const TextPair& word, Language language) {
    if (IsEither(cell, word)) {
        cell = word.In(language);
    }
}

// "oui [D] [RO]": only the leading word is translated, never a letter sequence inside it, so a
// cell already in the target language stays as it is ("non" never becomes "nonn").
void TranslateSubfolders(std::string& cell, Language language) {
    const std::string_view word = std::string_view(cell).substr(0, cell.find(' '));
    for (const TextPair* pair : {&texts::kYes, &texts::kNo}) {
        if (IsEither(word, *pair)) {
            cell = std::string(pair->In(language)) + cell.substr(word.size());
            return;
        }
    }
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
    return {list.TotalHeader(),
            list.Title(),
            std::string(texts::kKeepHeader.In(language)),
            std::string(texts::kIncludeHeader.In(language)),
            std::string(texts::kDateHeader.In(language)),
            std::string(texts::kDestinationHeader.In(language))};
}

void TranslateFolderList(FolderList& list, Language language) {
    list.RefreshTitle(language);
    list.SetGrandTotal(list.GrandTotal(), language);
    for (FolderRow& row : list.Rows()) {
        TranslateWord(row.cells[kFileCountColumn], texts::kUnknown, language);
        TranslateSubfolders(row.cells[kSubfoldersColumn], language);
        TranslateWord(row.cells[kActionColumn], texts::kDelete, language);
        TranslateWord(row.cells[kActionColumn], texts::kRecycleBin, language);
    }
}

Language SwitchLanguage(Settings& settings, ConfigStore& config, FolderList& list) {
    // Both items act as one toggle: the check marks swap, so the language always flips.
    const Language language =
        settings.language() == Language::French ? Language::English : Language::French;
    settings.Langue = language == Language::French ? 1 : 0;
    config.Write("Purge", "Langue", language == Language::French ? "1" : "0");
    TranslateFolderList(list, language);
    return language;
}

}  // namespace quellix
