#pragma once

#include "core/common/host_system.h"
#include "core/common/language.h"
#include "core/mainwindow/caption_texts.h"

// Texts of the service installation dialog frmAdminService. Line breaks are "\r\n". Where a text
// points to the service console, it is cut in two around the console's command.
namespace quellix {

namespace texts {

// Same title in both languages.
inline constexpr TextPair kServiceDialogTitle{"Quellix Service [NT]", "Quellix Service [NT]"};

// The state line.
inline constexpr TextPair kServiceStateInstalled{
    "Quellix Service installed\r\n(checking purge starts automatically when Quellix service "
    "starts)",
    "Quellix Service installé\r\n(la purge démarre automatiquement au lancement du service)"};
inline constexpr TextPair kServiceStateNotInstalled{"Quellix Service not installed",
                                                    "Quellix Service non installé"};
inline constexpr TextPair kServiceStateAlreadyInstalled{"Quellix Service already installed",
                                                        "Quellix Service déjà installé"};
// After Install: this, the new Debug setting as True or False, then the second part.
inline constexpr TextPair kServiceStateInstalledDebug{"Quellix Service installed. Debug=",
                                                      "Quellix Service installé. Debug="};
inline constexpr TextPair kServiceStateInstalledDebugEnd{
    "\r\n(checking purge starts automatically when Quellix service starts)",
    "\r\n (la purge démarre automatiquement au lancement du service)"};
inline constexpr TextPair kServiceStateRemoved{"Quellix Service: removed",
                                               "Quellix Service: supprimé"};
// The service manager refused: the registration is as it was.
inline constexpr TextPair kServiceStateNotInstalledFailure{
    "Quellix Service could not be installed", "Quellix Service n'a pas pu être installé"};
inline constexpr TextPair kServiceStateNotRemovedFailure{
    "Quellix Service could not be removed", "Quellix Service n'a pas pu être supprimé"};

inline constexpr std::string_view kTrue = "True";
inline constexpr std::string_view kFalse = "False";

// The install label: start, the console's start command, end.
inline constexpr TextPair kInstallHintStart{
    "- Install Quellix Service and exit\r\n- Configure and run Quellix Service using '",
    "- Installer Quellix Service et quitter\r\n- Configurer et lancer le service avec '"};
inline constexpr TextPair kInstallHintEnd{"'", "'"};
// The remove label: start, the console's stop command, end.
inline constexpr TextPair kRemoveHintStart{
    "To remove Quellix Service, you can too:\r\n- stop Quellix Service using '",
    "Pour supprimer Quellix Service, vous pouvez aussi:\r\n- arrêter le service avec '"};
inline constexpr TextPair kRemoveHintEnd{
    "'\r\n- run again Quellix (the program, not the service)",
    "'\r\n- lancer à nouveau Quellix (le programme, pas le service)"};

// Windows' service console, as the hints and the message after Install name it (the hints spell
// it their own way).
inline constexpr TextPair kWindowsConsoleStart{"Control pannel/Services",
                                               "Panneau de configuration/Services"};
inline constexpr TextPair kWindowsConsoleStop{"Control pannel/Services",
                                              "Panneau de Configuration/Services"};
inline constexpr TextPair kWindowsConsoleAfterInstall{"Control panel/Services",
                                                      "Panneau de configuration/Services"};

// The message after Install, titled with the bare product name: the state line, this, the
// console's start command, then the end.
inline constexpr const char* kServiceInstalledTitle = "Quellix";
inline constexpr TextPair kInstalledMessageMiddle{"\r\n\r\nConfiguration and start, see\r\n'",
                                                  "\r\n\r\nConfiguration et démarrage, voir\r\n'"};
inline constexpr TextPair kInstalledMessageEnd{"'", "'"};

}  // namespace texts

namespace texts {

// The Debug box names where its messages go: Windows' event log, or the journal on Linux.
inline constexpr TextPair kDebugCaption =
    kHostSystem == HostSystem::Windows
        ? TextPair{"Debug [add a lot of messages in Application Event Log]\r\nPlease let uncheck "
                   "to run service in production mode",
                   "Debug [nombreux messages dans Application Event Log]\r\nNe pas cocher "
                   "l'option en production"}
        : TextPair{"Debug [add a lot of messages in the journal]\r\nPlease let uncheck to run "
                   "service in production mode",
                   "Debug [nombreux messages dans le journal]\r\nNe pas cocher l'option en "
                   "production"};

}  // namespace texts

// Captions of frmAdminService that do not depend on the state or the console.
inline constexpr CaptionEntry kServiceDialogCaptions[] = {
    {"frmAdminService", CaptionProperty::Caption, texts::kServiceDialogTitle},
    {"lblInfo",
     CaptionProperty::Caption,
     {"IMPORTANT: If Quellix Service needs to access network files (non local files) you need to "
      "configure it to start under a user account and not a local system account [see for "
      "exemple: Microsoft Knowledge Base Articles Q132679, Q127862, Q124184, Q120582, Q158508]. "
      "In this case, the service cannot interact with the desktop. Check carefully the "
      "configuration.",
      "IMPORTANT: Si vous souhaitez accéder à des fichiers situés sur un réseau, le service "
      "Quellix doit démarrer sous un compte utilisateur et non un compte système local [voir par "
      "exemple: Microsoft Knowledge Base Articles Q132679, Q127862, Q124184, Q120582, Q158508]. "
      "Dans ce cas, le service ne peut pas interagir avec le bureau. Vérifier soigneusement la "
      "configuration de démarrage."}},
    {"chkInteract",
     CaptionProperty::Caption,
     {"Quellix Service can interact with the desktop", "Quellix Service interagit avec le bureau"}},
    {"lblInteract",
     CaptionProperty::Caption,
     {"Cannot access network files", "Impossible d'accéder à des fichiers situés sur un réseau"}},
    {"chkDebug", CaptionProperty::Caption, texts::kDebugCaption},
    {"frameType", CaptionProperty::Caption, {"Start type", "Type de démarrage"}},
    {"optType0", CaptionProperty::Caption, {"Automatic", "Automatique"}},
    {"optType1", CaptionProperty::Caption, {"Manual", "Manuel"}},
    {"optType2", CaptionProperty::Caption, {"Disabled", "Désactivé"}},
    {"cmdInstall", CaptionProperty::Caption, {"&Install", "&Installer"}},
    {"cmdRemove", CaptionProperty::Caption, {"&Remove", "&Supprimer"}},
    {"cmdAnnuler", CaptionProperty::Caption, {"&Cancel", "&Annuler"}},
};

}  // namespace quellix
