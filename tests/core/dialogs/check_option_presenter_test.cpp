#include "core/dialogs/check_option_presenter.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/config/ini_file.h"
#include "support/recording_dialog_view.h"

namespace quellix {
namespace {

// Both options, from either state, through OK after ticking or not, and through Cancel.
TEST(CheckOptionPresenter, OkStoresAndWritesTheBoxCancelChangesNothing) {
    struct Case {
        const CheckOption* option;
        std::string key;
        std::string frenchTitle;
    };
    const Case options[] = {
        {&kAutomaticStartOption, "DemarrageAutomatiqueLancement",
         "Démarrer automatiquement la purge"},
        {&kAllObsoleteOption, "TousFichiersObsoletes",
         "Purger seulement si tous les fichiers sont obsolètes"},
    };
    for (const Case& c : options) {
        for (const bool before : {false, true}) {
            for (const bool toggle : {false, true}) {
                for (const bool ok : {false, true}) {
                    const std::string ini = "[Purge]\n" + c.key + "=" + (before ? "1" : "0") + "\n";
                    Settings settings;
                    settings.Langue = 1;
                    settings.*c.option->setting = before;
                    MemoryConfigStore store(ini);
                    RecordingDialogView view;
                    CheckOptionPresenter presenter(view, *c.option, settings, store);
                    presenter.Load();
                    const std::string box(c.option->boxName);
                    EXPECT_EQ(
                        std::make_tuple(view.Text(c.option->dialogName), view.Text("cmdAnnuler"),
                                        view.Get(box).checked, view.focus),
                        std::make_tuple(c.frenchTitle, "&Annuler", before, box));
                    if (toggle) {
                        view.At(box).checked = !before;
                    }
                    ok ? presenter.OnOk() : presenter.OnCancel();
                    const bool after = ok && toggle ? !before : before;
                    const std::string written =
                        ok ? "[Purge]\n" + c.key + "=" + (after ? "1" : "0") + "\n" : ini;
                    EXPECT_EQ(std::make_tuple(settings.*c.option->setting, store.Text(),
                                              view.closed, presenter.Accepted()),
                              std::make_tuple(after, written, ok, ok))
                        << c.key << before << toggle << ok;
                    EXPECT_TRUE(view.asked.empty());
                }
            }
        }
    }
}

}  // namespace
}  // namespace quellix
