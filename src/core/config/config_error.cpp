#include "core/config/config_error.h"

#include "core/common/error_report.h"
#include "core/common/front_end.h"
#include "core/config/config_texts.h"

namespace quellix {

namespace {

const TextPair& Headline(ConfigErrorKind kind) {
    switch (kind) {
        case ConfigErrorKind::LostPath:
            return texts::kLostPath;
        case ConfigErrorKind::LostKeepTime:
            return texts::kLostKeepTime;
        case ConfigErrorKind::InvalidKeepTime:
            return texts::kInvalidKeepTime;
        case ConfigErrorKind::InvalidTime:
            return texts::kInvalidTime;
        case ConfigErrorKind::PathTooLong:
            return texts::kPathTooLong;
        case ConfigErrorKind::TooManyFolders:
            return texts::kTooManyFolders;
        case ConfigErrorKind::InvalidTemporisation:
            return texts::kInvalidTemporisation;
        case ConfigErrorKind::FileTooLarge:
            return texts::kFileTooLarge;
        case ConfigErrorKind::FileOthersCanChange:
            return texts::kFileOthersCanChange;
        case ConfigErrorKind::FileThroughUnsafeLink:
            break;
    }
    return texts::kFileThroughUnsafeLink;
}

// ", Section=Purge Key=Heure" or "\nSection=Purge Key=Heure" after the headline; nothing for an
// error of the whole file.
std::string Place(const ConfigError& error, Language language, std::string_view before) {
    if (error.section.empty()) {
        return {};
    }
    return std::string(before) + "Section=" + error.section +
           std::string(texts::kKey.In(language)) + error.key;
}

}  // namespace

std::string ConfigErrorOneLine(const ConfigError& error, Language language,
                               const std::string& configPath) {
    return std::string(Headline(error.kind).In(language)) + Place(error, language, ", ") +
           std::string(texts::kFileInline.In(language)) + configPath + "'";
}

std::string ConfigErrorThreeLines(const ConfigError& error, Language language,
                                  const std::string& configPath) {
    return std::string(Headline(error.kind).In(language)) + Place(error, language, "\n") + "\n" +
           std::string(texts::kFileLine.In(language)) + configPath + "'";
}

void ConfigErrorReport(const ConfigError& error, const Settings& settings, ServiceHost& service,
                       FrontEnd& frontEnd) {
    const Language language = settings.language();
    if (ReportsGoToEventLog(settings, service)) {
        service.WriteEventLog(ConfigErrorOneLine(error, language, settings.ConfigPath),
                              EventType::Error);
        return;
    }
    frontEnd.ShowMessage({ConfigErrorThreeLines(error, language, settings.ConfigPath),
                          settings.ProgramTitle, MessageIcon::Critical, MessageButtons::Ok,
                          MessageAnswer::Ok});
}

}  // namespace quellix
