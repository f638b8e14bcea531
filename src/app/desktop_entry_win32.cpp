#include "app/desktop_entry.h"
#include "core/common/service_host.h"
#include "gui/win32/app/desktop_program.h"
#include "gui/win32/mainwindow/tray_icon.h"
#include "platform/clock.h"
#include "platform/open_with_shell.h"

namespace quellix {

int RunDesktop(const CommandLine& commandLine, const ProgramFiles& files, std::ostream&) {
    const auto service = MakeSystemServiceHost(false);
    service->SetConfigPath(files.configPath);
    DesktopProgram program(
        {{commandLine, files, *service, platform::SystemClock(),
          [](const std::string& path) { return platform::OpenWithShell(path); },
          [](const std::string& path) { return platform::OpenInTextEditor(path); },
          [](int code) { PostQuitMessage(code); }},
         [] { return std::make_unique<NotifyAreaIcon>(); }});
    return program.Run();
}

}  // namespace quellix
