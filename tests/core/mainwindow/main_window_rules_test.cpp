#include "core/mainwindow/main_window_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/config/folder_list_store.h"
#include "core/config/ini_file.h"
#include "core/mainwindow/menu_table.h"
#include "platform/process_info.h"
#include "support/fake_service_host.h"
#include "support/folder_entries.h"
#include "support/scripted_front_end.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

using Answers = std::deque<MessageAnswer>;
constexpr auto kYes = MessageAnswer::Yes;
constexpr auto kNo = MessageAnswer::No;
constexpr auto kEn = Language::English;
constexpr auto kFr = Language::French;

TEST(RetentionTooltip, CountsWholeDaysAndTheHoursLeft) {
    const std::string tooLongForADouble(400, '9');
    const std::tuple<const char*, Language, const char*> cases[] = {
        {"23", kEn, ""},
        {"24", kEn, "1 day"},
        {"25", kEn, "1 day 1 hour"},
        {"47", kEn, "1 day 23 hours"},
        {"50", kEn, "2 days 2 hours"},
        {"72", kEn, "3 days"},
        {"49", kFr, "2 jours 1 heure"},
        {"26", kFr, "1 jour 2 heures"},
        {"23.5", kEn, "1 day"},  // halves go to the even neighbour
        {"24.5", kEn, "1 day"},
        {"25.5", kEn, "1 day 2 hours"},
        {" 48h", kEn, "2 days"},
        {"abc", kEn, ""},
        {"", kFr, ""},
        {"-48", kEn, ""},
        {"2147483647", kEn, "89478485 days 7 hours"},
        {"2147483648", kEn, ""},  // beyond any retention the purge understands
        {tooLongForADouble.c_str(), kEn, ""},
    };
    for (const auto& [cell, language, expected] : cases) {
        EXPECT_EQ(RetentionTooltip(cell, language), expected) << '"' << cell << '"';
    }
}

// A cell shown cut short has its whole text in its tip; words and counts have none.
TEST(CellTooltip, RetentionInDaysAndPathsInFull) {
    const std::string path = "/srv/share/a very long folder name/that the grid cuts/";
    const FolderEntry moved =
        test::EntryOf({"3", path, "50", "no", "M", "[+S] /archive/of a long name/"});
    const FolderEntry deleted = test::EntryOf({"3", path, "23", "yes [D]", "M", "Delete"});
    const std::tuple<const FolderEntry*, FolderColumn, Language, const char*> cases[] = {
        {&moved, kPathColumn, kEn, path.c_str()},
        {&moved, kActionColumn, kEn, "[+S] /archive/of a long name/"},
        {&moved, kRetentionColumn, kFr, "2 jours 2 heures"},
        {&deleted, kActionColumn, kEn, ""},
        {&deleted, kRetentionColumn, kEn, ""},
        {&deleted, kFileCountColumn, kEn, ""},
        {&deleted, kSubfoldersColumn, kEn, ""},
    };
    for (const auto& [entry, column, language, expected] : cases) {
        EXPECT_EQ(CellTooltip(*entry, column, language), expected) << column;
    }
}

TEST(ComputeResizeLayout, SizesOnlyWhatFitsTheWindow) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    using Opt = std::optional<int>;
    struct Case {
        ResizeInput in;
        Opt gridWidth, gridHeight, purgeLeft, lastLeft, hintLeft, wideColumns;
    };
    const Case cases[] = {
        {{1000, 700, 1016, 60, 8, 300, 400, 350}, 999, 640, 692, 592, 333, 359},
        {{250, 50, 266, 60, 8, 300, 200, 350}, {}, {}, {}, 42, {}, {}},
        {{250, 61, 266, 60, 8, 242, 241, 265}, 249, 1, {}, 1, 1, {}},
        {{281, 100, 290, 10, 8, 0, 0, 0}, 280, 90, 273, 273, 145, {}},
        {{283, 100, 290, 10, 8, 0, 0, 0}, 282, 90, 275, 275, 145, 1},
        {{1, 100, 1, 10, 0, 0, 0, 1}, {}, {}, 1, 1, {}, {}},
        {{kMax, kMax, kMax, kMin, kMin, kMin, 0, kMin}, {}, {}, {}, {}, kMax, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "inner " << c.in.innerWidth << "x" << c.in.innerHeight);
        const ResizeLayout layout = ComputeResizeLayout(c.in);
        EXPECT_EQ(layout.gridWidth, c.gridWidth);
        EXPECT_EQ(layout.gridHeight, c.gridHeight);
        EXPECT_EQ(layout.purgeTimeLabelLeft, c.purgeLeft);
        EXPECT_EQ(layout.lastPurgeLabelLeft, c.lastLeft);
        EXPECT_EQ(layout.hintLabelLeft, c.hintLeft);
        const std::array<Opt, kFolderColumnCount> columns = {70, c.wideColumns, 70, 70,
                                                             70, c.wideColumns};
        EXPECT_EQ(layout.columnWidths, columns);
    }
    // A larger font widens the four narrow columns; the two paths share what is left, less a
    // scroll bar once the rows no longer fit (the grid is 640 high).
    ResizeInput wide{1000, 700, 1016, 60, 8, 300, 400, 350};
    wide.narrowColumnWidth = 100;
    wide.scrollBarWidth = 18;
    for (const auto& [content, paths] : {std::pair{0, 299}, {640, 299}, {641, 290}}) {
        wide.gridContentHeight = content;
        const std::array<Opt, kFolderColumnCount> columns = {100, paths, 100, 100, 100, paths};
        EXPECT_EQ(ComputeResizeLayout(wide).columnWidths, columns) << content;
    }
    // The grid's headers set a minimum too: the four narrow columns, the two headers of the
    // paths, and the scroll bar when there is one.
    wide.wideColumnMinimum = 200;
    EXPECT_EQ(ComputeResizeLayout(wide).minimumInnerWidth, 1 + 400 + 400 + 18);
    wide.gridContentHeight = 0;
    EXPECT_EQ(ComputeResizeLayout(wide).minimumInnerWidth, 1 + 400 + 400);
}

// At every width from the minimum up no two texts of a top row meet (a margin apart), and one
// pixel less would make two of them meet: the minimum is exact.
TEST(ComputeResizeLayout, TopRowTextsNeverMeetDownToTheMinimumWidth) {
    struct Case {
        const char* what;
        bool hint, purgeShown;
        int firstRowLeftEnd, secondRowLeftEnd, purgeWidth, lastWidth, hintWidth, minimum;
    };
    const Case cases[] = {
        // French texts: the hint alone on the first row, then with a status line beside it.
        {"empty list", true, true, 0, 0, 230, 560, 350, 8 + 8 + 350 + 8 + 230 + 8 - 8},
        {"empty list, counting", true, true, 520, 0, 230, 560, 350, 520 + 8 + 350 + 8 + 230 + 8},
        {"list, immediate mode", false, false, 200, 208, 230, 560, 350, 208 + 8 + 560 + 8},
        {"service mode", false, true, 520, 352, 230, 560, 350, 352 + 8 + 560 + 8},
        {"long purge time", false, true, 520, 208, 600, 300, 350, 520 + 8 + 600 + 8},
    };
    constexpr int kMargin = 8;
    const auto meet = [](int leftEnd, int nextLeft) { return leftEnd + kMargin > nextLeft; };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResizeInput in{0, 400, 0, 60, kMargin, c.purgeWidth, c.lastWidth, c.hintWidth};
        in.hintShown = c.hint;
        in.purgeTimeLabelShown = c.purgeShown;
        in.firstRowLeftEnd = c.firstRowLeftEnd;
        in.secondRowLeftEnd = c.secondRowLeftEnd;
        const int minimum = ComputeResizeLayout(in).minimumInnerWidth;
        EXPECT_EQ(minimum, c.minimum);
        for (int width = minimum - 1; width < minimum + 600; ++width) {
            in.innerWidth = width;
            in.outerWidth = width + 16;
            const ResizeLayout layout = ComputeResizeLayout(in);
            ASSERT_EQ(layout.minimumInnerWidth, minimum);
            ASSERT_TRUE(layout.purgeTimeLabelLeft && layout.lastPurgeLabelLeft &&
                        layout.hintLabelLeft);
            const int firstStart = std::max(c.firstRowLeftEnd, 0);
            bool anyMeet = meet(c.secondRowLeftEnd, *layout.lastPurgeLabelLeft) ||
                           *layout.lastPurgeLabelLeft + c.lastWidth + kMargin > width;
            if (c.purgeShown) {
                anyMeet = anyMeet || meet(firstStart, *layout.purgeTimeLabelLeft);
            }
            if (c.hint) {
                const int hintEnd = *layout.hintLabelLeft + c.hintWidth;
                anyMeet = anyMeet || meet(firstStart, *layout.hintLabelLeft) ||
                          (c.purgeShown ? meet(hintEnd, *layout.purgeTimeLabelLeft)
                                        : hintEnd + kMargin > width);
            }
            EXPECT_EQ(anyMeet, width < minimum) << "inner width " << width;
        }
    }
}

TEST(PrepareContextMenu, FollowsTheSchedulerAndTheList) {
    const std::string first = "&Add a new folder";
    const std::string before = "Add a new folder &before";
    const std::tuple<bool, std::size_t, Language, ContextMenuState> cases[] = {
        {false, 0, kEn, {false, first, false, false, false, false}},
        {false, 3, kEn, {false, before, false, true, false, false}},
        {true, 0, kEn, {true, first, true, false, false, false}},
        {true, 0, kFr, {true, "&Ajouter un nouveau dossier", true, false, false, false}},
        {true, 1, kEn, {true, before, true, true, true, true}},
        {true, 2, kFr, {true, "Ajouter un nouveau dossier &avant", true, true, true, true}},
    };
    for (const auto& [stopped, rows, language, expected] : cases) {
        const ContextMenuState state = PrepareContextMenu(stopped, rows, language);
        EXPECT_TRUE(state == expected)
            << "stopped " << stopped << " rows " << rows << ": " << state.addBeforeCaption;
    }
}

class CommandTest : public ::testing::Test {
  protected:
    CommandTest() {
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.ProgramFolder = dir.Path();
        settings.HelpFolder = dir.Path();
        settings.ConfigPath = dir.File("Quellix.ini");
    }
    // A fresh list /srv/a/, /srv/b/, ... counting 5, 7, 9, ... files, saved.
    void List(std::size_t rows) {
        config = MemoryConfigStore();
        folders.Clear();
        for (std::size_t i = 0; i < rows; ++i) {
            const std::string path = "/srv/" + std::string(1, static_cast<char>('a' + i)) + "/";
            const char* no = settings.language() == kFr ? "non" : "no";
            folders.Append(
                test::EntryOf({std::to_string(5 + 2 * i), path, "24", no, "M", "Delete"}));
        }
        SaveFolderList(config, settings, folders);
        frontEnd = {};
        opened.clear();
        edited.clear();
    }
    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (const FolderEntry& entry : folders.Entries()) {
            paths.push_back(entry.path);
        }
        return paths;
    }
    CommandContext Context() {
        return {settings,
                config,
                folders,
                frontEnd,
                [this](const std::string& path) {
                    opened.push_back(path);
                    return openSucceeds;
                },
                [](const std::string& path) { return std::filesystem::exists(path); },
                [this](const std::string& path) {
                    edited.push_back(path);
                    return openSucceeds;
                }};
    }

    test::TempDir dir;
    Settings settings;
    MemoryConfigStore config;
    FolderList folders;
    test::ScriptedFrontEnd frontEnd;
    std::vector<std::string> opened;
    std::vector<std::string> edited;
    bool openSucceeds = true;
};

TEST_F(CommandTest, RemoveChangesNothingUnlessARowOfTheListIsConfirmed) {
    const std::tuple<std::size_t, std::ptrdiff_t, Answers> cases[] = {
        {2, -1, {}}, {2, 2, {}}, {0, 0, {}}, {2, 1, {kNo}}};
    for (const auto& [rows, row, answers] : cases) {
        SCOPED_TRACE(testing::Message() << "row " << row << " of " << rows);
        List(rows);
        const std::string stored = config.Text();
        frontEnd.answers = answers;

        EXPECT_FALSE(RemoveSelectedFolder(Context(), row));

        EXPECT_EQ(folders.Size(), rows);
        EXPECT_EQ(config.Text(), stored);
        EXPECT_FALSE(frontEnd.Called("FolderListChanged"));
        ASSERT_EQ(frontEnd.messages.size(), answers.size());
    }
    const MessageRequest& asked = frontEnd.messages.at(0);
    EXPECT_EQ(asked.text, "Remove '/srv/b/'\r\nfrom the list of folders");
    EXPECT_EQ(asked.title, "Quellix 1.0.0");
    EXPECT_EQ(asked.icon, MessageIcon::Question);
    EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
}

TEST_F(CommandTest, RemoveOnYesSavesTheRenumberedList) {
    struct Case {
        std::int16_t langue;
        std::size_t rows;
        std::ptrdiff_t row;
        const char* question;
        std::vector<std::string> left;
        std::int64_t total;
    };
    const Case cases[] = {
        {0, 1, 0, "Remove '/srv/a/'\r\nfrom the list of folders", {}, 0},
        {1,
         3,
         1,
         "Enlever '/srv/b/'\r\nde la liste des dossiers à purger",
         {"/srv/a/", "/srv/c/"},
         14},
        {0, 3, 2, "Remove '/srv/c/'\r\nfrom the list of folders", {"/srv/a/", "/srv/b/"}, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question);
        settings.Langue = c.langue;
        List(c.rows);
        frontEnd.answers = {kYes};

        EXPECT_TRUE(RemoveSelectedFolder(Context(), c.row));

        ASSERT_EQ(frontEnd.messages.size(), 1u);
        EXPECT_EQ(frontEnd.messages[0].text, c.question);
        EXPECT_EQ(Paths(), c.left);
        EXPECT_EQ(folders.GrandTotal(), c.total);
        EXPECT_EQ(config.Read("Paths", "NbPaths"), std::to_string(c.left.size()));
        for (std::size_t i = 0; i < c.left.size(); ++i) {
            EXPECT_EQ(config.Read("Paths", "Path" + std::to_string(i + 1)), c.left[i]);
        }
        const std::string gone = std::to_string(c.left.size() + 1);
        EXPECT_EQ(config.Read("Paths", "Path" + gone), std::nullopt);
        EXPECT_EQ(config.Read("Paths", "RetentionPath" + gone), std::nullopt);
        EXPECT_TRUE(frontEnd.Called("FolderListChanged"));
    }
}

TEST_F(CommandTest, HelpOpensThePageOfTheLanguageOrSaysThereIsNone) {
    // Langue, pages present, page opened (none: the message shown instead).
    const std::tuple<std::int16_t, std::vector<const char*>, const char*, const char*> cases[] = {
        {0, {"QuellixEN.htm"}, "/QuellixEN.htm", nullptr},
        {1, {"QuellixEN.htm"}, nullptr, "La documentation n'est pas disponible..."},
        {0, {"QuellixFR.htm"}, nullptr, "Help not available..."},
        {1, {"QuellixEN.htm", "QuellixFR.htm"}, "/QuellixFR.htm", nullptr},
        {2, {"QuellixFR.htm"}, "/QuellixFR.htm", nullptr},
    };
    for (const auto& [langue, pages, page, message] : cases) {
        SCOPED_TRACE(testing::Message() << "Langue " << langue << " page " << pages.back());
        List(0);
        settings.Langue = langue;
        for (const char* name : {"QuellixEN.htm", "QuellixFR.htm"}) {
            std::filesystem::remove(dir.File(name));
        }
        for (const char* name : pages) {
            dir.Write(name, "<html></html>");
        }

        ShowHelp(Context());

        EXPECT_EQ(opened, page ? std::vector{dir.Path() + page} : std::vector<std::string>{});
        ASSERT_EQ(frontEnd.messages.size(), message ? 1u : 0u);
        if (message) {
            EXPECT_EQ(frontEnd.messages[0].text, message);
            EXPECT_EQ(frontEnd.messages[0].title, "Quellix 1.0.0");
            EXPECT_EQ(frontEnd.messages[0].icon, MessageIcon::Information);
        }
    }
}

TEST_F(CommandTest, EditConfigurationOpensTheFileAndAlwaysWarns) {
    const std::tuple<bool, std::int16_t, const char*> cases[] = {
        {true, 0, "Please run again the application in case of modifications"},
        {false, 0, "Please run again the application in case of modifications"},
        {false, 1, "Relancez l'application si vous avez modifié le paramétrage"},
    };
    for (const auto& [opens, langue, warning] : cases) {
        List(0);
        openSucceeds = opens;
        settings.Langue = langue;

        EditConfigurationFile(Context());

        EXPECT_EQ(edited, std::vector{settings.ConfigPath});
        EXPECT_EQ(opened, std::vector<std::string>{});
        ASSERT_EQ(frontEnd.messages.size(), 1u);
        EXPECT_EQ(frontEnd.messages[0].text, warning);
        EXPECT_EQ(frontEnd.messages[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(frontEnd.messages[0].buttons, MessageButtons::Ok);
    }
}

// A service host whose removal can be made to fail.
class StubbornServiceHost final : public ServiceHost {
  public:
    test::FakeServiceHost fake;
    bool uninstallWorks = true;

    bool IsInstalled() const override { return fake.IsInstalled(); }
    bool IsServiceProcess() const override { return fake.IsServiceProcess(); }
    void WriteEventLog(std::string_view text, EventType type) override {
        fake.WriteEventLog(text, type);
    }
    ServiceStartType StartType() const override { return fake.StartType(); }
    void SetStartType(ServiceStartType type) override { fake.SetStartType(type); }
    bool InteractWithDesktop() const override { return fake.InteractWithDesktop(); }
    void SetInteractWithDesktop(bool on) override { fake.SetInteractWithDesktop(on); }
    bool Install(bool unused) override { return fake.Install(unused); }
    bool Uninstall() override { return uninstallWorks && fake.Uninstall(); }
};

// Where to see the service: Windows' Services, or systemd's command for the unit's scope.
TEST(ServiceInstalledQuestion, NamesEachSystemsServiceManager) {
    const std::tuple<HostSystem, Language, bool, const char*> cases[] = {
        {HostSystem::Windows, kEn, true,
         "Quellix Service installed\r\nsee 'Control panel/Services'\r\n\r\nRemove it ?"},
        {HostSystem::Windows, kFr, false,
         "Quellix Service installé\r\nvoir 'Panneau de configuration/Services'\r\n\r\n"
         "Supprimer Quellix Service ?"},
        {HostSystem::Linux, kEn, true,
         "Quellix Service installed\r\nsee 'systemctl --user status quellix'\r\n\r\nRemove it ?"},
        {HostSystem::Linux, kFr, false,
         "Quellix Service installé\r\nvoir 'systemctl status quellix'\r\n\r\n"
         "Supprimer Quellix Service ?"},
    };
    for (const auto& [system, language, userUnit, expected] : cases) {
        EXPECT_EQ(ServiceInstalledQuestion(system, language, userUnit), expected);
    }
    // The menu item names the service manager of the build's system.
    EXPECT_EQ(MenuCaption("mnuService").english.find("[NT/2000]") != std::string_view::npos,
              kHostSystem == HostSystem::Windows);
}

TEST(CheckInstalledService, AsksAnInteractiveCopyToRemoveTheService) {
    using Outcome = InstalledServiceOutcome;
    const bool userUnit = platform::EffectiveUserId() != 0;
    const std::string question = ServiceInstalledQuestion(kHostSystem, kEn, userUnit);
    const std::string questionFr = ServiceInstalledQuestion(kHostSystem, kFr, userUnit);
    const std::string failure = "Quellix Service could not be removed";
    using Event = std::pair<std::string, EventType>;
    const Event removed{"Quellix Service removed", EventType::Information};
    const Event removedFr{"Quellix Service supprimé", EventType::Information};
    const Event failed{failure, EventType::Error};
    struct Case {
        bool isNt, installed, serviceProcess, uninstallWorks;
        std::int16_t langue;
        Answers answers;
        Outcome outcome;
        std::vector<Event> events;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {false, true, false, true, 0, {}, Outcome::NotInstalled, {}, {}},
        {true, false, false, true, 0, {}, Outcome::NotInstalled, {}, {}},
        {true, true, true, true, 0, {}, Outcome::ServiceProcess, {}, {}},
        {true, true, false, true, 0, {kNo}, Outcome::EndProgram, {}, {question}},
        {true, true, false, true, 0, {kYes}, Outcome::Removed, {removed}, {question}},
        {true, true, false, true, 1, {kYes}, Outcome::Removed, {removedFr}, {questionFr}},
        {true, true, false, false, 0, {kYes}, Outcome::EndProgram, {failed}, {question, failure}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        Settings settings;
        settings.ProgramTitle = "Quellix 1.0.0";
        settings.IsNt = c.isNt;
        settings.Langue = c.langue;
        StubbornServiceHost service;
        service.fake.installed = c.installed;
        service.fake.serviceProcess = c.serviceProcess;
        service.uninstallWorks = c.uninstallWorks;
        test::ScriptedFrontEnd frontEnd;
        frontEnd.answers = c.answers;

        EXPECT_EQ(CheckInstalledService(settings, service, frontEnd), c.outcome);

        EXPECT_EQ(service.fake.events, c.events);
        EXPECT_EQ(service.IsInstalled(), c.installed && c.outcome != Outcome::Removed);
        ASSERT_EQ(frontEnd.messages.size(), c.messages.size());
        for (std::size_t i = 0; i < c.messages.size(); ++i) {
            EXPECT_EQ(frontEnd.messages[i].text, c.messages[i]);
            EXPECT_EQ(frontEnd.messages[i].icon,
                      i == 0 ? MessageIcon::Question : MessageIcon::Exclamation);
        }
        if (!c.messages.empty()) {
            EXPECT_EQ(frontEnd.messages[0].title, "Quellix");
            EXPECT_EQ(frontEnd.messages[0].buttons, MessageButtons::YesNo);
        }
    }
}

}  // namespace
}  // namespace quellix
