#pragma once

#include "core/common/language.h"
#include "core/mainwindow/caption_texts.h"

// Texts of the folder entry editor.
namespace quellix {

namespace texts {

// Titles: at load, then the one of the command that opened the editor.
inline constexpr TextPair kEditorTitle{"Folder", "Dossier"};
inline constexpr TextPair kAddFolderTitle{"Add a folder", "Ajouter un dossier à purger"};
inline constexpr TextPair kModifyFolderTitle{"Modify a folder", "Modifier un dossier à purger"};

// The label above the selected folder: normal, or a warning in red when the folder of the row
// being modified does not exist.
inline constexpr TextPair kSelectedFolder{"Selected folder", "Dossier sélectionné"};
inline constexpr TextPair kUnknownSelectedFolder{"WARNING: unknown selected folder",
                                                 "ATTENTION: le dossier de la liste est inconnu"};

inline constexpr TextPair kBrowseTitle{"Select a folder", "Sélectionner un dossier"};

// Beside the retention: days and hours as "(1 day 1 hour)", or this.
inline constexpr TextPair kInvalidValue{"Invalid value", "Valeur incorrecte"};

// Refusals of OK, in the order they are checked.
inline constexpr TextPair kFixKeepTime{"Please modify keep time", "Corriger le temps de rétention"};
inline constexpr TextPair kNoFolderSelected{"No folder selected",
                                            "Aucun dossier n'est sélectionné"};
inline constexpr TextPair kInvalidDestination{"Invalid destination folder",
                                              "Dossier de destination invalide"};
// The limits of kMaxStoredPathBytes and kMaxFolderEntries.
inline constexpr TextPair kFolderPathTooLong{
    "Folder path too long: the configuration file keeps at most 253 bytes of it",
    "Chemin du dossier trop long : le fichier de configuration en garde au plus 253 octets"};
inline constexpr TextPair kDestinationPathTooLong{
    "Destination folder path too long: the configuration file keeps at most 253 bytes of it, "
    "248 with a shortcut",
    "Chemin du dossier de destination trop long : le fichier de configuration en garde au plus "
    "253 octets, 248 avec un raccourci"};
inline constexpr TextPair kFolderListFull{"The list already holds 32767 folders, its most",
                                          "La liste contient déjà 32767 dossiers, son maximum"};
inline constexpr TextPair kSystemFolderQuestion{
    "Automatic purge can be hazardous for this folder!\r\n"
    "Zentorix is not responsible for any damage caused to your system due to deletion of system "
    "files\r\n"
    "Please confirm",
    "La purge automatique de ce dossier peut être risquée !\r\n"
    "Zentorix ne peut être tenu pour responsable des dommages occasionnés si vous effacez des "
    "fichiers suystèmes\r\n"
    "Confirmer S.V.P."};
inline constexpr TextPair kAlreadyInList{"Folder already in the list",
                                         "Le dossier est déjà présent dans la liste"};

}  // namespace texts

// Captions the editor writes at load, by control name. The option buttons of one group are
// numbered after the group's name.
inline constexpr CaptionEntry kFolderEditorCaptions[] = {
    {"lblSelectDrive", CaptionProperty::Caption, {"Select drive", "Sélectionner un lecteur"}},
    {"cmdParcourir", CaptionProperty::Caption, {"Browse", "Parcourir"}},
    {"lblDossier", CaptionProperty::Caption, texts::kSelectedFolder},
    {"lblRetention",
     CaptionProperty::Caption,
     {"Keep time\n(editable)", "Temps de rétention\n(éditable)"}},
    {"lblHeures", CaptionProperty::Caption, {"hours", "heures"}},
    {"FrameSousDossiers", CaptionProperty::Caption, {"Subfolders", "Sous-dossiers"}},
    {"chkSousDossiers",
     CaptionProperty::Caption,
     {"Include subfolders", "Inclure les sous-dossiers"}},
    {"chkEffacerSousDossiersVides",
     CaptionProperty::Caption,
     {"Delete empty subfolders [D]", "Effacer les sous-dossiers vides [D]"}},
    {"chkFichiersLectureSeule",
     CaptionProperty::Caption,
     {"Delete read-only files/empty subfolders [RO]",
      "Effacer les fichiers ou sous-dossiers vides en lecture seule [RO]"}},
    {"frameDate",
     CaptionProperty::Caption,
     {"Use following date for each file", "Pour chaque fichier, utiliser la date de"}},
    {"optDate0", CaptionProperty::Caption, {"last modification (M)", "modification (M)"}},
    {"optDate1", CaptionProperty::Caption, {"last creation (C)", "création (C)"}},
    {"optDate2", CaptionProperty::Caption, {"last access (A)", "dernier accès (A)"}},
    {"frameDestination", CaptionProperty::Caption, {"Destination", "Destination"}},
    {"optDestination0",
     CaptionProperty::Caption,
     {"Delete old files immediately", "Effacer immédiatement les fichiers obsolètes"}},
    {"optDestination1",
     CaptionProperty::Caption,
     {"Delete old files and move them in Recycle Bin",
      "Effacer les fichiers obsolètes et les envoyer dans la Corbeille"}},
    {"optDestination2",
     CaptionProperty::Caption,
     {"Move old files toward another folder",
      "Envoyer les fichiers obsolètes dans un autre dossier"}},
    {"cmdAutreDossier", CaptionProperty::Caption, {"another folder", "autre dossier"}},
    {"chkShortCut",
     CaptionProperty::Caption,
     {"create shortcut pointing to the moved file [+S]",
      "créer un raccourci sur le fichier déplacé [+S]"}},
    {"cmdOK", CaptionProperty::Caption, {"&OK", "&OK"}},
    {"cmdAnnuler", CaptionProperty::Caption, {"&Cancel", "&Annuler"}},
};

// The retention presets: one to eight days, in hours.
inline constexpr const char* kRetentionPresets[] = {"24",  "48",  "72",  "96",
                                                    "120", "144", "168", "192"};

}  // namespace quellix
