#include "core/config/config_error.h"

#include <gtest/gtest.h>

#include "support/fake_service_host.h"
#include "support/scripted_front_end.h"

namespace quellix {
namespace {

struct ReportCase {
    ConfigErrorKind kind;
    const char* section;
    const char* key;
    Language language;
    const char* oneLine;
    const char* threeLines;
};

const ReportCase kReports[] = {
    {ConfigErrorKind::LostPath, "Paths", "Path2", Language::English,
     "Lost path, Section=Paths Key=Path2, file '/srv/q/Quellix.ini'",
     "Lost path\nSection=Paths Key=Path2\nfile '/srv/q/Quellix.ini'"},
    {ConfigErrorKind::LostPath, "Paths", "Path2", Language::French,
     "Chemin d'accès manquant, Section=Paths Clé=Path2, fichier '/srv/q/Quellix.ini'",
     "Chemin d'accès manquant\nSection=Paths Clé=Path2\nfichier '/srv/q/Quellix.ini'"},
    {ConfigErrorKind::LostKeepTime, "Paths", "RetentionPath1", Language::English,
     "Lost keep time, Section=Paths Key=RetentionPath1, file '/srv/q/Quellix.ini'",
     "Lost keep time\nSection=Paths Key=RetentionPath1\nfile '/srv/q/Quellix.ini'"},
    {ConfigErrorKind::LostKeepTime, "Paths", "RetentionPath1", Language::French,
     "Temps de rétention manquant, Section=Paths Clé=RetentionPath1, fichier "
     "'/srv/q/Quellix.ini'",
     "Temps de rétention manquant\nSection=Paths Clé=RetentionPath1\nfichier "
     "'/srv/q/Quellix.ini'"},
    {ConfigErrorKind::InvalidKeepTime, "Paths", "RetentionPath3", Language::English,
     "Invalid keep time, Section=Paths Key=RetentionPath3, file '/srv/q/Quellix.ini'",
     "Invalid keep time\nSection=Paths Key=RetentionPath3\nfile '/srv/q/Quellix.ini'"},
    {ConfigErrorKind::InvalidKeepTime, "Paths", "RetentionPath3", Language::French,
     "Temps de rétention invalide, Section=Paths Clé=RetentionPath3, fichier "
     "'/srv/q/Quellix.ini'",
     "Temps de rétention invalide\nSection=Paths Clé=RetentionPath3\nfichier "
     "'/srv/q/Quellix.ini'"},
    {ConfigErrorKind::InvalidTime, "Purge", "Heure", Language::English,
     "Invalid time, Section=Purge Key=Heure, file '/srv/q/Quellix.ini'",
     "Invalid time\nSection=Purge Key=Heure\nfile '/srv/q/Quellix.ini'"},
    {ConfigErrorKind::InvalidTime, "Purge", "Heure", Language::French,
     "Heure de purge invalide, Section=Purge Clé=Heure, fichier '/srv/q/Quellix.ini'",
     "Heure de purge invalide\nSection=Purge Clé=Heure\nfichier '/srv/q/Quellix.ini'"},
    {ConfigErrorKind::InvalidTemporisation, "Purge", "Temporisation", Language::English,
     "Time between updates must be set between 1 and 60 seconds, Section=Purge "
     "Key=Temporisation, file '/srv/q/Quellix.ini'",
     "Time between updates must be set between 1 and 60 seconds\nSection=Purge "
     "Key=Temporisation\nfile '/srv/q/Quellix.ini'"},
    {ConfigErrorKind::InvalidTemporisation, "Purge", "Temporisation", Language::French,
     "Temporisation doit être comprise entre 1 et 60 secondes, Section=Purge "
     "Clé=Temporisation, fichier '/srv/q/Quellix.ini'",
     "Temporisation doit être comprise entre 1 et 60 secondes\nSection=Purge "
     "Clé=Temporisation\nfichier '/srv/q/Quellix.ini'"},
    {ConfigErrorKind::PathTooLong, "Paths", "AutreDossier4", Language::French,
     "Chemin trop long (le fichier en garde au plus 253 octets), Section=Paths Clé=AutreDossier4, "
     "fichier '/srv/q/Quellix.ini'",
     "Chemin trop long (le fichier en garde au plus 253 octets)\nSection=Paths "
     "Clé=AutreDossier4\nfichier '/srv/q/Quellix.ini'"},
    {ConfigErrorKind::TooManyFolders, "Paths", "NbPaths", Language::English,
     "Too many folders (at most 32767), Section=Paths Key=NbPaths, file '/srv/q/Quellix.ini'",
     "Too many folders (at most 32767)\nSection=Paths Key=NbPaths\nfile '/srv/q/Quellix.ini'"},
    // Errors of the whole file name no section and no key.
    {ConfigErrorKind::FileTooLarge, "", "", Language::English,
     "Configuration file too large (over 16 MiB), file '/srv/q/Quellix.ini'",
     "Configuration file too large (over 16 MiB)\nfile '/srv/q/Quellix.ini'"},
    {ConfigErrorKind::FileTooLarge, "", "", Language::French,
     "Fichier de configuration trop volumineux (plus de 16 Mio), fichier '/srv/q/Quellix.ini'",
     "Fichier de configuration trop volumineux (plus de 16 Mio)\nfichier '/srv/q/Quellix.ini'"},
    {ConfigErrorKind::FileOthersCanChange, "", "", Language::English,
     "Configuration file not owned by root or writable by others, file '/srv/q/Quellix.ini'",
     "Configuration file not owned by root or writable by others\nfile '/srv/q/Quellix.ini'"},
    {ConfigErrorKind::FileOthersCanChange, "", "", Language::French,
     "Fichier de configuration n'appartenant pas à root ou modifiable par d'autres, fichier "
     "'/srv/q/Quellix.ini'",
     "Fichier de configuration n'appartenant pas à root ou modifiable par d'autres\nfichier "
     "'/srv/q/Quellix.ini'"},
    {ConfigErrorKind::FileThroughUnsafeLink, "", "", Language::English,
     "Configuration file reached through a link of another user, file '/srv/q/Quellix.ini'",
     "Configuration file reached through a link of another user\nfile '/srv/q/Quellix.ini'"},
    {ConfigErrorKind::FileThroughUnsafeLink, "", "", Language::French,
     "Fichier de configuration atteint par un lien d'un autre utilisateur, fichier "
     "'/srv/q/Quellix.ini'",
     "Fichier de configuration atteint par un lien d'un autre utilisateur\nfichier "
     "'/srv/q/Quellix.ini'"},
};

TEST(ConfigErrorReport, EveryReportInBothFormsAndLanguages) {
    for (const ReportCase& c : kReports) {
        const ConfigError error{c.kind, c.section, c.key};
        EXPECT_EQ(ConfigErrorOneLine(error, c.language, "/srv/q/Quellix.ini"), c.oneLine);
        EXPECT_EQ(ConfigErrorThreeLines(error, c.language, "/srv/q/Quellix.ini"), c.threeLines);
    }
}

Settings ReportSettings(std::int16_t langue) {
    Settings settings;
    settings.Langue = langue;
    settings.IsNt = true;
    settings.ProgramTitle = "Quellix 9.8.7";
    settings.ConfigPath = "/opt/Quellix.ini";
    return settings;
}

TEST(ConfigErrorReport, MessageBoxWhenNoServiceIsInstalled) {
    test::FakeServiceHost service;
    test::ScriptedFrontEnd frontEnd;
    ConfigErrorReport({ConfigErrorKind::InvalidTime, "Purge", "Heure"}, ReportSettings(1), service,
                      frontEnd);

    ASSERT_EQ(frontEnd.messages.size(), 1u);
    const MessageRequest& box = frontEnd.messages[0];
    EXPECT_EQ(box.text,
              "Heure de purge invalide\nSection=Purge Clé=Heure\nfichier '/opt/Quellix.ini'");
    EXPECT_EQ(box.title, "Quellix 9.8.7");
    EXPECT_EQ(box.icon, MessageIcon::Critical);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_TRUE(service.events.empty());
}

TEST(ConfigErrorReport, SystemLogEntryWhenTheServiceIsInstalled) {
    test::FakeServiceHost service;
    service.installed = true;
    test::ScriptedFrontEnd frontEnd;
    ConfigErrorReport({ConfigErrorKind::LostPath, "Paths", "Path2"}, ReportSettings(0), service,
                      frontEnd);

    EXPECT_TRUE(frontEnd.messages.empty());
    ASSERT_EQ(service.events.size(), 1u);
    EXPECT_EQ(service.events[0].first,
              "Lost path, Section=Paths Key=Path2, file '/opt/Quellix.ini'");
    EXPECT_EQ(service.events[0].second, EventType::Error);
}

TEST(ConfigErrorReport, SystemWithoutServicesAlwaysShowsTheBox) {
    test::FakeServiceHost service;
    service.installed = true;
    test::ScriptedFrontEnd frontEnd;
    Settings settings = ReportSettings(0);
    settings.IsNt = false;
    ConfigErrorReport({ConfigErrorKind::LostPath, "Paths", "Path1"}, settings, service, frontEnd);
    EXPECT_EQ(frontEnd.messages.size(), 1u);
    EXPECT_TRUE(service.events.empty());
}

}  // namespace
}  // namespace quellix
