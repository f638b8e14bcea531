#pragma once

#include <QDialog>
#include <QString>
#include <cstddef>
#include <optional>
#include <string>

#include "core/common/folder_list.h"
#include "core/common/settings.h"
#include "core/config/config_store.h"
#include "core/dialogs/folder_editor_presenter.h"
#include "core/dialogs/folder_editor_rules.h"
#include "gui/qt/common/widget_view_of.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;

namespace quellix {

class FolderChooserView;

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

    std::optional<std::size_t> WrittenRow() const { return presenter_.WrittenRow(); }

  public slots:
    void reject() override { presenter_.OnCancel(); }

  private:
    // The named controls; the retention box and the path labels, whose texts are not captions;
    // the lists and the choosers.
    class View final : public WidgetViewOf<FolderEditorView> {
      public:
        View(FolderEditorDialog& dialog, const Settings& settings)
            : WidgetViewOf(dialog), dialog_(dialog), settings_(settings) {}
        void SetText(std::string_view control, std::string_view text) override;
        std::string Text(std::string_view control) const override;
        bool ShowFolder(const std::string& folder) override;
        std::string CurrentFolder() const override;
        std::optional<std::string> BrowseFolder(std::string_view title,
                                                const std::string& start) override;
        std::optional<std::string> PickDestination(const std::string& current) override;
        void ShowBusy(bool busy) override;
        void Beep() override;

      private:
        FolderEditorDialog& dialog_;
        const Settings& settings_;
    };

    void BuildControls();
    void Connect();

    FolderChooserView* chooser_ = nullptr;
    QComboBox* comboRetention_ = nullptr;
    QCheckBox* chkSousDossiers_ = nullptr;
    QButtonGroup* optDestination_ = nullptr;
    QPushButton* cmdParcourir_ = nullptr;
    QPushButton* cmdAutreDossier_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdAnnuler_ = nullptr;
    View view_;
    FolderEditorPresenter presenter_;
};

}  // namespace quellix
