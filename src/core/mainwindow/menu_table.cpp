#include "core/mainwindow/menu_table.h"

#include "core/mainwindow/caption_texts.h"

namespace quellix {

namespace {

using C = MenuCommand;
using T = MenuTick;
constexpr MenuItem kSeparator{};

constexpr MenuItem kFile[] = {
    {"mnuRestaurer", C::ShowWindow},
    {"mnuQuitter", C::Exit},
};
constexpr MenuItem kConfiguration[] = {
    {"mnuDemarrageAutomatique", C::AutomaticStart, T::AutomaticStart},
    {"mnuTousFichiersObsoletes", C::AllObsolete, T::AllObsolete},
    {"mnuUseShortPathnames", C::ShortPathnames, T::ShortPathnames},
    kSeparator,
    {"mnuModifierHeure", C::PurgeTime},
    kSeparator,
    {"mnuTemporisation", C::TimeBetweenUpdates},
    kSeparator,
    {"mnuEditerIni", C::EditConfiguration},
    kSeparator,
    {"mnuService", C::Service},
};
constexpr MenuItem kFolders[] = {
    {"mnuConfigurationAjouterAvant", C::AddBefore},
    {"mnuConfigurationAjouterApres", C::AddAfter},
    kSeparator,
    {"mnuConfigurationModifier", C::Modify},
    kSeparator,
    {"mnuConfigurationSupprimer", C::Remove},
    kSeparator,
    {"mnuApercuPurge", C::PreviewPurge},
    {"mnuAnnulerPurge", C::UndoLastPurge},
};
constexpr MenuItem kLogs[] = {
    {"mnuDefinirLogs", C::LogFolder, T::Logs},
    {"mnuVoirLogs", C::ViewLogs},
    {"mnuPurgeLogs", C::LogRetention, T::PurgeLogs},
};
constexpr MenuItem kLanguage[] = {
    {"mnuAnglais", C::SwitchLanguage, T::English},
    {"mnuFrancais", C::SwitchLanguage, T::French},
};
constexpr MenuItem kAbout[] = {
    {"mnuHelp", C::Help},
    {"mnuAProposDe", C::About},
};
constexpr MenuItem kPopup[] = {
    {"mnuAjouterAvant", C::AddBefore},
    {"mnuAjouterApres", C::AddAfter},
    kSeparator,
    {"mnuModifier", C::Modify},
    kSeparator,
    {"mnuSupprimer", C::Remove},
    kSeparator,
    {"mnuApercu", C::PreviewSelected},
};

constexpr MenuDefinition kMenuBar[] = {
    {"mnuFichier", kFile},     {"mnuConfiguration", kConfiguration},
    {"mnuDossiers", kFolders}, {"mnuLogs", kLogs},
    {"mnuLangue", kLanguage},  {"mnaAPropos", kAbout},
};
constexpr MenuDefinition kContextMenu{"mnuPopup", kPopup};
constexpr MenuDefinition kTrayMenu{"mnuFichierTray", kFile};

const MenuItem* FindIn(std::span<const MenuItem> items, std::string_view name) {
    for (const MenuItem& item : items) {
        if (!item.IsSeparator() && item.name == name) {
            return &item;
        }
    }
    return nullptr;
}

}  // namespace

std::span<const MenuDefinition> MenuBarMenus() {
    return kMenuBar;
}

const MenuDefinition& ContextMenu() {
    return kContextMenu;
}

const MenuDefinition& TrayMenu() {
    return kTrayMenu;
}

const MenuItem* FindMenuItem(std::string_view name) {
    for (const MenuDefinition& menu : kMenuBar) {
        if (const MenuItem* item = FindIn(menu.items, name)) {
            return item;
        }
    }
    return FindIn(kContextMenu.items, name);
}

TextPair MenuCaption(std::string_view name) {
    for (const auto& table : {std::span<const CaptionEntry>(kMainWindowCaptions),
                              std::span<const CaptionEntry>(kFixedCaptions)}) {
        for (const CaptionEntry& entry : table) {
            if (entry.control == name && entry.property == CaptionProperty::Caption) {
                return entry.text;
            }
        }
    }
    return {};
}

char AccessKey(std::string_view caption) {
    for (std::size_t at = caption.find('&');
         at != std::string_view::npos && at + 1 < caption.size(); at = caption.find('&', at + 2)) {
        const char key = caption[at + 1];
        if (key == '&') {
            continue;
        }
        return key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
    }
    return 0;
}

bool IsTicked(MenuTick tick, const Settings& settings) {
    switch (tick) {
        case MenuTick::None:
            return false;
        case MenuTick::AutomaticStart:
            return settings.DemarrageAutomatiqueLancement;
        case MenuTick::AllObsolete:
            return settings.TousFichiersObsoletes;
        case MenuTick::ShortPathnames:
            return settings.UseShortPathnames;
        case MenuTick::Logs:
            return settings.Logs;
        case MenuTick::PurgeLogs:
            return settings.PurgeLogs;
        case MenuTick::English:
            return settings.language() == Language::English;
        case MenuTick::French:
            return settings.language() == Language::French;
    }
    return false;
}

}  // namespace quellix
