#include "core/mainwindow/menu_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace quellix {
namespace {

// "-" for a separator, "*" after an item that carries a check mark.
std::vector<std::string> Layout(const MenuDefinition& menu) {
    std::vector<std::string> items;
    for (const MenuItem& item : menu.items) {
        items.push_back(item.IsSeparator() ? "-"
                        : item.Checkable() ? std::string(item.name) + "*"
                                           : std::string(item.name));
    }
    return items;
}

using Items = std::vector<std::string>;

TEST(MenuTable, MenusItemsSeparatorsAndCheckMarksInDisplayOrder) {
    const std::vector<std::pair<std::string, Items>> expected = {
        {"mnuFichier", {"mnuRestaurer", "mnuQuitter"}},
        {"mnuConfiguration",
         {"mnuDemarrageAutomatique*", "mnuTousFichiersObsoletes*", "mnuUseShortPathnames*", "-",
          "mnuModifierHeure", "-", "mnuTemporisation", "-", "mnuEditerIni", "-", "mnuService"}},
        {"mnuDossiers",
         {"mnuConfigurationAjouterAvant", "mnuConfigurationAjouterApres", "-",
          "mnuConfigurationModifier", "-", "mnuConfigurationSupprimer", "-", "mnuApercuPurge",
          "mnuAnnulerPurge"}},
        {"mnuLogs", {"mnuDefinirLogs*", "mnuVoirLogs", "mnuPurgeLogs*"}},
        {"mnuLangue", {"mnuAnglais*", "mnuFrancais*"}},
        {"mnaAPropos", {"mnuHelp", "mnuAProposDe"}},
    };
    ASSERT_EQ(MenuBarMenus().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(MenuBarMenus()[i].name, expected[i].first);
        EXPECT_EQ(Layout(MenuBarMenus()[i]), expected[i].second) << expected[i].first;
    }
    EXPECT_EQ(ContextMenu().name, "mnuPopup");
    EXPECT_EQ(Layout(ContextMenu()), (Items{"mnuAjouterAvant", "mnuAjouterApres", "-",
                                            "mnuModifier", "-", "mnuSupprimer", "-", "mnuApercu"}));
    EXPECT_EQ(Layout(TrayMenu()), Layout(MenuBarMenus()[0]));
}

TEST(MenuTable, EveryMenuAndItemHasItsCaptionsAndTheContextMenuSharesCommands) {
    std::vector<std::string_view> names;
    for (const MenuDefinition& menu : MenuBarMenus()) {
        names.push_back(menu.name);
        for (const MenuItem& item : menu.items) {
            if (!item.IsSeparator()) {
                names.push_back(item.name);
                EXPECT_EQ(FindMenuItem(item.name), &item);
            }
        }
    }
    for (const std::string_view name : names) {
        const TextPair caption = MenuCaption(name);
        EXPECT_FALSE(caption.english.empty() || caption.french.empty()) << name;
    }
    EXPECT_TRUE(MenuCaption("mnuUnknown").english.empty());
    EXPECT_EQ(FindMenuItem("mnuUnknown"), nullptr);
    // Each context item runs what the Folders menu's item in the same place runs, but the
    // preview, which the context menu gives of the selected row alone; the undo is the Folders
    // menu's alone.
    auto folders = MenuBarMenus()[2].items;
    ASSERT_EQ(folders.back().command, MenuCommand::UndoLastPurge);
    folders = folders.first(folders.size() - 1);
    ASSERT_EQ(folders.size(), ContextMenu().items.size());
    for (std::size_t i = 0; i + 1 < folders.size(); ++i) {
        EXPECT_EQ(folders[i].command, ContextMenu().items[i].command);
        EXPECT_EQ(MenuCaption(folders[i].name).french,
                  MenuCaption(ContextMenu().items[i].name).french);
    }
    EXPECT_EQ(folders.back().command, MenuCommand::PreviewPurge);
    EXPECT_EQ(ContextMenu().items.back().command, MenuCommand::PreviewSelected);
}

// Within a menu no two items share an access key, in either language.
TEST(MenuTable, AccessKeysDifferWithinEachMenu) {
    std::vector<MenuDefinition> menus(MenuBarMenus().begin(), MenuBarMenus().end());
    menus.push_back(ContextMenu());
    for (const MenuDefinition& menu : menus) {
        for (const bool french : {false, true}) {
            std::vector<std::string_view> captions;
            for (const MenuItem& item : menu.items) {
                if (!item.IsSeparator()) {
                    const TextPair caption = MenuCaption(item.name);
                    captions.push_back(french ? caption.french : caption.english);
                }
            }
            std::string keys;
            for (const std::string_view caption : captions) {
                const char key = AccessKey(caption);
                EXPECT_TRUE(key == 0 || keys.find(key) == std::string::npos)
                    << menu.name << (french ? " (French): " : ": ") << caption;
                keys += key;
            }
        }
    }
}

TEST(MenuTable, AccessKeys) {
    const std::tuple<std::string_view, char> cases[] = {
        {"&File", 'F'},           {"Fol&ders", 'D'}, {"Ajouter un nouveau dossier a&près", 'P'},
        {"A &propos de...", 'P'}, {"&?", '?'},       {"Use short pathnames for folders", 0},
        {"Tom && &Jerry", 'J'},   {"Trailing &", 0}, {"", 0},
    };
    for (const auto& [caption, key] : cases) {
        EXPECT_EQ(AccessKey(caption), key) << caption;
    }
}

TEST(MenuTable, CheckMarksFollowTheirSettings) {
    const std::tuple<MenuTick, std::function<void(Settings&)>> cases[] = {
        {MenuTick::AutomaticStart, [](Settings& s) { s.DemarrageAutomatiqueLancement = true; }},
        {MenuTick::AllObsolete, [](Settings& s) { s.TousFichiersObsoletes = true; }},
        {MenuTick::ShortPathnames, [](Settings& s) { s.UseShortPathnames = true; }},
        {MenuTick::Logs, [](Settings& s) { s.Logs = true; }},
        {MenuTick::PurgeLogs, [](Settings& s) { s.PurgeLogs = true; }},
        {MenuTick::French, [](Settings& s) { s.Langue = 1; }},
    };
    for (const auto& [tick, set] : cases) {
        Settings settings;
        EXPECT_FALSE(IsTicked(tick, settings)) << static_cast<int>(tick);
        set(settings);
        EXPECT_TRUE(IsTicked(tick, settings)) << static_cast<int>(tick);
        // No other mark moves with it, English aside, which the French mark replaces.
        for (const auto& [other, unused] : cases) {
            if (other != tick) {
                EXPECT_FALSE(IsTicked(other, settings));
            }
        }
        EXPECT_EQ(IsTicked(MenuTick::English, settings), tick != MenuTick::French);
        EXPECT_FALSE(IsTicked(MenuTick::None, settings));
    }
}

}  // namespace
}  // namespace quellix
