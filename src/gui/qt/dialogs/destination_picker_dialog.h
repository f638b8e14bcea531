#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "core/common/settings.h"
#include "core/dialogs/destination_picker_presenter.h"
#include "gui/qt/common/widget_view_of.h"

namespace quellix {

class FolderChooserView;

// The picker of the folder into which a folder entry moves its old files.
class DestinationPickerDialog final : public QDialog {
    Q_OBJECT

  public:
    DestinationPickerDialog(QWidget* parent, const Settings& settings);

    // Opened by the folder editor over itself, on currentDestination when that is an existing
    // folder, else on the current folder. The chosen folder ends in "/"; none when cancelled.
    static std::optional<std::string> Open(QWidget* editor, const std::string& currentDestination,
                                           const Settings& settings);

    // Positions the lists on destination when it names an existing folder.
    void StartAt(const std::string& destination) { presenter_.StartAt(destination); }
    // The folder chosen by OK, ending in "/"; none before OK.
    std::optional<std::string> Chosen() const { return presenter_.Chosen(); }

  private:
    // The named controls, and the drive and folder lists as one.
    class View final : public WidgetViewOf<DestinationPickerView> {
      public:
        explicit View(DestinationPickerDialog& dialog) : WidgetViewOf(dialog), dialog_(dialog) {}
        void ShowFolder(const std::string& folder) override;
        std::string CurrentFolder() const override;

      private:
        DestinationPickerDialog& dialog_;
    };

    void BuildControls();

    FolderChooserView* chooser_ = nullptr;
    View view_;
    DestinationPickerPresenter presenter_;
};

}  // namespace quellix
