#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "core/common/settings.h"

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
    void StartAt(const std::string& destination);
    // The folder list's folder, ending in "/".
    std::string Chosen() const;

  private:
    FolderChooserView* chooser_;
};

}  // namespace quellix
