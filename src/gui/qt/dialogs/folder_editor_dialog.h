#pragma once

#include <QDialog>
#include <QString>
#include <cstddef>
#include <optional>
#include <string>

#include "core/common/folder_list.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/dialogs/folder_editor_rules.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace quellix {

class FolderChooserView;

// What the editor works on: the list it writes into, where the list is saved, and how files are
// counted.
struct FolderEditorContext {
    Settings& settings;
    ConfigStore& store;
    FolderList& folders;
    FileCounter countFiles;
    std::string homeFolder;
};

// The folder entry editor frmRepertoire: adds an entry before or after the selected row, or
// modifies it, then saves the list.
class FolderEditorDialog final : public QDialog {
    Q_OBJECT

  public:
    // selectedRow is the 0-based row, -1 for none. Returns the index of the row written; nullopt
    // when nothing was (Cancel, the close box, or a modify without a row).
    static std::optional<std::size_t> Open(QWidget* parent, FolderEditorMode mode,
                                           std::ptrdiff_t selectedRow,
                                           const FolderEditorContext& context);

    // Answers the next "Browse" instead of the desktop's folder chooser (nullopt: cancelled).
    static void SetNextBrowseAnswer(std::optional<QString> answer);

    FolderEditorDialog(const EditorOpening& opening, const FolderEditorContext& context,
                       QWidget* parent = nullptr);

    std::optional<std::size_t> WrittenRow() const { return written_; }

  public slots:
    // Cancel and the close box are not taken while the files are being counted: the row is
    // written once the count ends.
    void reject() override;

  private:
    void BuildControls();
    void ApplyCaptions();
    void ShowOpening();
    void ShowRetentionFeedback(const QString& text);
    void ChooseAction(int index);
    void ApplyControlStates();
    void ShowFolderWarning(bool unknown);
    void Browse();
    void ChooseDestination();
    void Confirm();
    void SetBusy(bool busy);
    EditorState CurrentState() const;

    const EditorOpening opening_;
    const FolderEditorContext& context_;
    std::optional<std::size_t> written_;
    bool busy_ = false;

    FolderChooserView* chooser_ = nullptr;
    QLabel* lblDossier_ = nullptr;
    QLabel* lblRepertoire_ = nullptr;
    QComboBox* comboRetention_ = nullptr;
    QLabel* lblErrRetention_ = nullptr;
    QCheckBox* chkSousDossiers_ = nullptr;
    QCheckBox* chkEffacerSousDossiersVides_ = nullptr;
    QCheckBox* chkFichiersLectureSeule_ = nullptr;
    QButtonGroup* optDate_ = nullptr;
    QButtonGroup* optDestination_ = nullptr;
    QPushButton* cmdAutreDossier_ = nullptr;
    QLabel* lblAutreDossier_ = nullptr;
    QCheckBox* chkShortCut_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

}  // namespace quellix
