#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "app/desktop_entry.h"
#include "core/common/exit_codes.h"
#include "core/common/service_host.h"
#include "core/config/startup.h"
#include "gui/qt/app/desktop_program.h"
#include "gui/qt/mainwindow/tray_icon.h"
#include "platform/clock.h"
#include "platform/open_with_shell.h"
#include "platform/process_info.h"

namespace quellix {

namespace {

constexpr const char* kHowToRunWithout =
    "use -C for a one-shot run or --service to run as a service\n";
constexpr const char* kNoDisplay =
    "quellix: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); ";
constexpr const char* kDisplayUnreachable = "quellix: the display cannot be used; ";

bool Set(const char* name) {
    const auto value = platform::EnvironmentVariable(name);
    return value && !value->empty();
}

bool HasDisplay() {
    return Set("QT_QPA_PLATFORM") || Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

// A display that is named but cannot be reached makes Qt abort while it starts; say what to do
// instead and end with the documented code.
void EndOnPlatformFailure(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::cerr << "quellix: " << message.toStdString() << '\n'
                  << kDisplayUnreachable << kHowToRunWithout;
        std::_Exit(kExitNoDesktop);
    }
    if (type != QtDebugMsg) {
        std::cerr << message.toStdString() << '\n';
    }
}

}  // namespace

int RunDesktop(const CommandLine& commandLine, const ProgramFiles& files, std::ostream& err) {
    if (!HasDisplay()) {
        err << kNoDisplay << kHowToRunWithout;
        return kExitNoDesktop;
    }
    const QtMessageHandler previous = qInstallMessageHandler(EndOnPlatformFailure);
    int argc = 1;
    char name[] = "quellix";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    qInstallMessageHandler(previous);
    // Hidden in the tray is not closed: only Exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName("Quellix");
    QApplication::setDesktopFileName("org.quellix.Quellix");

    const auto service = MakeSystemServiceHost(false);
    // The service starts in "/", so the unit names the file by its full path.
    service->SetConfigPath(files.configPath);
    DesktopProgram program(
        {{commandLine, files, *service, platform::SystemClock(),
          [](const std::string& path) { return platform::OpenWithShell(path); },
          [](const std::string& path) { return platform::OpenInTextEditor(path); },
          [](int code) { QApplication::exit(code); }},
         [] { return std::make_unique<SystemTrayIcon>(nullptr); }});
    return program.Run();
}

}  // namespace quellix
