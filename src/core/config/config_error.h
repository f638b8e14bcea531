#pragma once

#include <string>

#include "core/common/language.h"
#include "core/common/settings.h"

namespace quellix {

class FrontEnd;
class ServiceHost;

enum class ConfigErrorKind {
    LostPath,
    LostKeepTime,
    InvalidKeepTime,
    InvalidTime,
    InvalidTemporisation,
    PathTooLong,     // a folder or destination the file may have cut
    TooManyFolders,  // more entries than their numbers can count
    // The file as a whole (no section, no key).
    FileTooLarge,
    FileOthersCanChange,
    FileThroughUnsafeLink,
};

// A value of the configuration file that stops the program: what is wrong, and where. Errors of
// the file as a whole have no section and no key.
struct ConfigError {
    ConfigErrorKind kind;
    std::string section;
    std::string key;
    bool operator==(const ConfigError&) const = default;
};

// "Lost path, Section=Paths Key=Path2, file '/etc/Quellix.ini'" (for the system log); without the
// section and key for an error of the whole file.
std::string ConfigErrorOneLine(const ConfigError& error, Language language,
                               const std::string& configPath);

// "Lost path\nSection=Paths Key=Path2\nfile '/etc/Quellix.ini'" (for a message box); two lines
// for an error of the whole file.
std::string ConfigErrorThreeLines(const ConfigError& error, Language language,
                                  const std::string& configPath);

// Reports the error once: an error entry in the system log when the service is installed, else a
// message box with the stop icon titled ProgramTitle. The caller then ends the program.
void ConfigErrorReport(const ConfigError& error, const Settings& settings, ServiceHost& service,
                       FrontEnd& frontEnd);

}  // namespace quellix
