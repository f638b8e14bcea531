#pragma once

#include <span>
#include <string_view>

#include "core/common/dialog_view.h"
#include "core/common/host_system.h"
#include "core/common/language.h"

// Texts of the main window: its captions, the header cells of the folder grid and the status
// labels. The GUI applies the caption table in a loop by control name.
namespace quellix {

// What a caption entry sets on its control.
enum class CaptionProperty { Caption, ToolTip, CheckMark };

// One line of the caption table. Check-mark entries carry no text: the item is ticked when the
// interface language is tickedIn.
struct CaptionEntry {
    std::string_view control;
    CaptionProperty property;
    TextPair text{};
    Language tickedIn = Language::English;
};

namespace texts {

// Folder commands offered both in the Folders menu and in the grid's context menu.
inline constexpr TextPair kAddFolderBefore{"Add a new folder &before",
                                           "Ajouter un nouveau dossier &avant"};
inline constexpr TextPair kAddFolderAfter{"Add a new folder &after",
                                          "Ajouter un nouveau dossier a&près"};
inline constexpr TextPair kModifyFolder{"&Modify the selected folder",
                                        "&Modifier le dossier sélectionné"};
inline constexpr TextPair kRemoveFolder{"&Remove the selected folder from the list",
                                        "&Enlever le dossier sélectionné de la liste"};
// The context menu's first item while the list is empty: there is nothing to add before.
inline constexpr TextPair kAddFirstFolder{"&Add a new folder", "&Ajouter un nouveau dossier"};

// Header cells of the folder grid besides the count and path headers (the list composes those).
// Cells 4 and 5 read the same in both languages.
inline constexpr TextPair kKeepHeader{"Keep\n(hours)", "Rétention\n(en heures)"};
inline constexpr TextPair kIncludeHeader{"Include\nsubfolders", "Inclure\nsous-dossiers"};
inline constexpr TextPair kDateHeader{"Date\n(M/C/A)", "Date\n(M/C/A)"};
inline constexpr TextPair kDestinationHeader{"Destination", "Destination"};

// The purge-time label: this text, the purge time, then the day list.
inline constexpr TextPair kPurgeAt{"Purge at ", "Purge à "};

// The last-purge label as the main window composes it at load and on a language switch; the
// purge run writes its own summary into the same label.
inline constexpr TextPair kLastPurgeStart{"Last purge: ", "Purgé le "};
inline constexpr TextPair kLastPurgeDeleted{"; Deleted: ", "; Effacés: "};
inline constexpr TextPair kLastPurgeFiles{" files, ", " fichiers, "};
inline constexpr TextPair kLastPurgeSubfolders{" subfolders; Locked: ",
                                               " sous-dossiers; Verrouillés: "};
inline constexpr TextPair kLastPurgeEnd{" ", " "};

}  // namespace texts

// Everything the language switch rewrites, in the order it is written. The purge-time and
// last-purge labels follow these entries; they are composed from the settings.
inline constexpr CaptionEntry kMainWindowCaptions[] = {
    {"mnuFichier", CaptionProperty::Caption, {"&File", "&Fichier"}},
    {"mnuRestaurer", CaptionProperty::Caption, {"&Show main window", "&Restaurer la fenêtre"}},
    {"mnuQuitter", CaptionProperty::Caption, {"&Exit", "&Quitter"}},
    {"mnuDemarrageAutomatique",
     CaptionProperty::Caption,
     {"&Automatic start up", "&Démarrage automatique lors du lancement du programme"}},
    {"mnuUseShortPathnames",
     CaptionProperty::Caption,
     {"Use short pathnames for folders", "Utiliser les noms de dossiers courts"}},
    {"mnuTousFichiersObsoletes",
     CaptionProperty::Caption,
     {"Purge only if all files are &obsolete",
      "Purger seulement si tous les fichiers sont &obsolètes"}},
    {"mnuModifierHeure",
     CaptionProperty::Caption,
     {"Set &purge time", "&Modifier l'heure de purge"}},
    {"lblHeurePurge", CaptionProperty::ToolTip, {"Set purge time", "Modifier l'heure de purge"}},
    {"mnuTemporisation",
     CaptionProperty::Caption,
     {"Set &time between updates", "&Temporisation entre les mises à jour"}},
    {"mnuEditerIni",
     CaptionProperty::Caption,
     {"&Edit configuration file", "&Editer le fichier de configuration"}},
    {"mnuDossiers", CaptionProperty::Caption, {"Fol&ders", "&Dossiers"}},
    {"mnuService", CaptionProperty::Caption,
     kHostSystem == HostSystem::Windows
         ? TextPair{"Install Quellix Service [NT/2000]", "Installer Quellix Service [NT/2000]"}
         : TextPair{"Install Quellix Service [systemd]", "Installer Quellix Service [systemd]"}},
    {"mnuConfigurationAjouterAvant", CaptionProperty::Caption, texts::kAddFolderBefore},
    {"mnuAjouterAvant", CaptionProperty::Caption, texts::kAddFolderBefore},
    {"mnuConfigurationAjouterApres", CaptionProperty::Caption, texts::kAddFolderAfter},
    {"mnuAjouterApres", CaptionProperty::Caption, texts::kAddFolderAfter},
    {"mnuConfigurationModifier", CaptionProperty::Caption, texts::kModifyFolder},
    {"mnuModifier", CaptionProperty::Caption, texts::kModifyFolder},
    {"mnuConfigurationSupprimer", CaptionProperty::Caption, texts::kRemoveFolder},
    {"mnuSupprimer", CaptionProperty::Caption, texts::kRemoveFolder},
    {"mnuApercuPurge", CaptionProperty::Caption, {"&Preview purge...", "Aperçu &de la purge..."}},
    {"mnuAnnulerPurge",
     CaptionProperty::Caption,
     {"&Undo last purge...", "A&nnuler la dernière purge..."}},
    {"mnuApercu",
     CaptionProperty::Caption,
     {"&Preview purge of this folder...", "Aperçu &de la purge de ce dossier..."}},
    {"mnuLogs", CaptionProperty::Caption, {"&Logs", "&Journaux"}},
    {"mnuDefinirLogs",
     CaptionProperty::Caption,
     {"&Archive deleting operations in Log files", "&Archiver les opérations d'effacement"}},
    {"mnuVoirLogs",
     CaptionProperty::Caption,
     {"&Check Logs", "Afficher les &journaux d'archivage"}},
    {"mnuPurgeLogs",
     CaptionProperty::Caption,
     {"&Remove Log files automatically", "&Effacer automatiquement les journaux"}},
    {"mnuLangue", CaptionProperty::Caption, {"&Language", "&Langue"}},
    {"mnuAnglais", CaptionProperty::CheckMark, {}, Language::English},
    {"mnuAnglais", CaptionProperty::Caption, {"&English", "&Anglais"}},
    {"mnuFrancais", CaptionProperty::CheckMark, {}, Language::French},
    {"mnuFrancais", CaptionProperty::Caption, {"&French", "&Français"}},
    {"mnuHelp", CaptionProperty::Caption, {"&Help", "&Aide"}},
    {"mnuAProposDe", CaptionProperty::Caption, {"&About", "A &propos de..."}},
    {"cmdDemarrer", CaptionProperty::Caption, {"Start", "Démarrer"}},
    {"cmdArreter", CaptionProperty::Caption, {"Stop", "Arrêter"}},
    {"chkPurgeImmediate",
     CaptionProperty::Caption,
     {"Purge now and stop", "Purge immédiate et arrêt"}},
    {"lblBulle",
     CaptionProperty::Caption,
     {"Define folders using right click on the folder column",
      "Définir les dossiers en cliquant avec le bouton droit"}},
};

// Captions set once when the window is built: the same in both languages, never rewritten.
// Separator items have no caption.
inline constexpr CaptionEntry kFixedCaptions[] = {
    {"mnuConfiguration", CaptionProperty::Caption, {"&Configuration", "&Configuration"}},
    {"mnaAPropos", CaptionProperty::Caption, {"&?", "&?"}},
    {"lblMode", CaptionProperty::Caption, {"Service", "Service"}},
};

// Writes a dialog's caption table onto its view, in the language of the moment; the entry named
// after the dialog is its title. Dialog tables hold captions only.
inline void ShowCaptions(DialogView& view, std::span<const CaptionEntry> captions,
                         Language language) {
    for (const CaptionEntry& entry : captions) {
        if (entry.property == CaptionProperty::Caption) {
            view.SetText(entry.control, entry.text.In(language));
        }
    }
}

}  // namespace quellix
