#include "core/dialogs/destination_picker_presenter.h"

#include <gtest/gtest.h>

#include "support/file_tree.h"
#include "support/recording_view_of.h"

namespace quellix {
namespace {

// The folder lists as a test sees them: where they start, and where the presenter sent them.
class RecordingPickerView final : public RecordingViewOf<DestinationPickerView> {
  public:
    void ShowFolder(const std::string& folder) override {
        shown.push_back(folder);
        current = folder;
    }
    std::string CurrentFolder() const override { return current; }
    std::vector<std::string> shown;
    std::string current = "/start/";
};

Settings InLanguage(std::int16_t langue) {
    Settings settings;
    settings.Langue = langue;
    return settings;
}

TEST(DestinationPickerPresenter, CaptionsInEachLanguage) {
    struct Case {
        std::int16_t langue;
        const char* title;
        const char* selectDrive;
        const char* cancel;
    };
    const Case cases[] = {
        {0, "Move old files toward...", "Select drive", "&Cancel"},
        {1, "Envoyer les fichiers obsolètes vers...", "Sélectionner un lecteur", "&Annuler"},
    };
    for (const Case& c : cases) {
        const Settings settings = InLanguage(c.langue);
        RecordingPickerView view;
        DestinationPickerPresenter presenter(view, settings);
        presenter.Load();
        EXPECT_EQ(view.Text(DestinationPickerPresenter::kWindow), c.title);
        EXPECT_EQ(view.Text("lblSelectDrive"), c.selectDrive);
        EXPECT_EQ(view.Text("cmdOK"), "&OK");
        EXPECT_EQ(view.Text("cmdAnnuler"), c.cancel);
        EXPECT_FALSE(view.closed.has_value());
    }
}

// Only a destination that is still a folder moves the lists; OK gives the lists' folder, a
// cancel gives nothing even after the lists moved.
TEST(DestinationPickerPresenter, StartsOnAnExistingDestinationAndOkGivesTheListsFolder) {
    test::FileTree tree;
    tree.Folder("there/deep");
    tree.File("there/file", 0);
    const Settings settings = InLanguage(0);
    struct Case {
        std::string destination;
        bool moves;
    };
    const Case cases[] = {
        {"", false},
        {tree.Path("gone/"), false},
        {tree.Path("there/file"), false},
        {tree.Path("there/deep/"), true},
        {tree.Path("there"), true},
    };
    for (const Case& c : cases) {
        for (const bool ok : {true, false}) {
            SCOPED_TRACE(c.destination + (ok ? " OK" : " cancel"));
            RecordingPickerView view;
            DestinationPickerPresenter presenter(view, settings);
            presenter.Load();
            presenter.StartAt(c.destination);
            EXPECT_EQ(view.shown,
                      c.moves ? std::vector{c.destination} : std::vector<std::string>{});
            EXPECT_EQ(presenter.Chosen(), std::nullopt);
            view.current = "/chosen/";
            ok ? presenter.OnOk() : presenter.OnCancel();
            EXPECT_EQ(view.closed, ok);
            EXPECT_EQ(presenter.Chosen(),
                      ok ? std::optional<std::string>("/chosen/") : std::nullopt);
        }
    }
}

}  // namespace
}  // namespace quellix
