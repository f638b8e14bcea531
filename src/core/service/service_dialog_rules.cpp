#include "core/service/service_dialog_rules.h"

#include "core/config/config_values.h"
#include "core/service/service_dialog_texts.h"
#include "platform/process_info.h"

namespace quellix {

namespace {

std::string Joined(std::string_view start, std::string_view middle, std::string_view end) {
    std::string text(start);
    text.append(middle);
    text.append(end);
    return text;
}

}  // namespace

ServiceConsole ServiceConsoleFor(bool userUnit) {
    const std::string systemctl = userUnit ? "systemctl --user " : "systemctl ";
    return {systemctl + "start quellix", systemctl + "stop quellix", {}};
}

ServiceConsole ServiceConsoleOfThisUser() {
    return ServiceConsoleFor(platform::EffectiveUserId() != 0);
}

ServiceConsole WindowsServiceConsole(Language language) {
    return {std::string(texts::kWindowsConsoleStart.In(language)),
            std::string(texts::kWindowsConsoleStop.In(language)),
            std::string(texts::kWindowsConsoleAfterInstall.In(language))};
}

ServiceDialogLoad LoadServiceDialog(const Settings& settings, const ServiceHost& service,
                                    const ServiceConsole& console) {
    const Language language = settings.language();
    ServiceDialogLoad load;
    load.stateLine =
        std::string(service.IsInstalled() ? texts::kServiceStateInstalled.In(language)
                                          : texts::kServiceStateNotInstalled.In(language));
    load.installHint = Joined(texts::kInstallHintStart.In(language), console.startCommand,
                              texts::kInstallHintEnd.In(language));
    load.removeHint = Joined(texts::kRemoveHintStart.In(language), console.stopCommand,
                             texts::kRemoveHintEnd.In(language));
    // Anything the host cannot name is shown as disabled.
    switch (service.StartType()) {
        case ServiceStartType::Automatic:
        case ServiceStartType::Manual:
            load.startType = service.StartType();
            break;
        default:
            load.startType = ServiceStartType::Disabled;
    }
    load.interact = service.InteractWithDesktop();
    load.debug = settings.Debug;
    return load;
}

ServiceInstallResult RunServiceInstall(const ServiceChoice& choice, Settings& settings,
                                       ConfigStore& config, ServiceHost& service,
                                       const ServiceConsole& console) {
    const Language language = settings.language();
    ServiceInstallResult result;
    if (service.IsInstalled()) {
        result.stateLine = texts::kServiceStateAlreadyInstalled.In(language);
        result.beep = true;
        return result;
    }
    service.SetStartType(choice.startType);
    service.SetInteractWithDesktop(choice.interact);
    if (!service.Install(false)) {
        // Claiming success would end the program with no service to take over the purging.
        result.stateLine = texts::kServiceStateNotInstalledFailure.In(language);
        result.beep = true;
        service.WriteEventLog(result.stateLine, EventType::Error);
        return result;
    }
    settings.Debug = choice.debug;
    WriteFlag(config, "Purge", "Debug", choice.debug);
    result.stateLine = Joined(texts::kServiceStateInstalledDebug.In(language),
                              choice.debug ? texts::kTrue : texts::kFalse,
                              texts::kServiceStateInstalledDebugEnd.In(language));
    service.WriteEventLog(result.stateLine, EventType::Information);
    result.installed = true;
    result.message = MessageRequest{
        result.stateLine + Joined(texts::kInstalledMessageMiddle.In(language),
                                  console.startAfterInstall.empty() ? console.startCommand
                                                                    : console.startAfterInstall,
                                  texts::kInstalledMessageEnd.In(language)),
        texts::kServiceInstalledTitle, MessageIcon::Information, MessageButtons::Ok,
        MessageAnswer::Ok};
    return result;
}

ServiceRemoveResult RunServiceRemove(const Settings& settings, ServiceHost& service) {
    const Language language = settings.language();
    ServiceRemoveResult result;
    if (!service.IsInstalled()) {
        result.stateLine = texts::kServiceStateNotInstalled.In(language);
        result.beep = true;
        return result;
    }
    if (!service.Uninstall()) {
        // The service is still registered and would go on purging beside this copy.
        result.stateLine = texts::kServiceStateNotRemovedFailure.In(language);
        result.beep = true;
        service.WriteEventLog(result.stateLine, EventType::Error);
        return result;
    }
    result.stateLine = texts::kServiceStateRemoved.In(language);
    result.removed = true;
    // The next installation starts from the defaults, as on a system that never had one.
    service.SetStartType(ServiceStartType::Automatic);
    service.SetInteractWithDesktop(false);
    service.WriteEventLog(result.stateLine, EventType::Information);
    return result;
}

}  // namespace quellix
