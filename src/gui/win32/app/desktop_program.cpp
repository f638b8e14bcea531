#include "gui/win32/app/desktop_program.h"

#include "gui/win32/mainwindow/main_window.h"
#include "gui/win32/mainwindow/tray_icon.h"

namespace quellix {

DesktopProgram::DesktopProgram(DesktopOptions options)
    : session_(std::move(options.session), frontEnd_), tray_(options.makeTray()) {
    frontEnd_.SetWindowMaker([this] { return MakeWindow(); });
}

// The main window shows the program's state and uses the tray icon: it goes first.
DesktopProgram::~DesktopProgram() {
    frontEnd_.DestroyWindows();
}

std::unique_ptr<MainWindow> DesktopProgram::MakeWindow() {
    return std::make_unique<MainWindow>(
        MainWindowParts{session_.WindowContext(), session_.FileCounting(), *tray_});
}

int DesktopProgram::Run() {
    const StartupOutcome outcome = session_.Start();
    if (!session_.KeepsRunning(outcome)) {
        return session_.ExitCode(outcome, std::nullopt);
    }
    HWND main = Window() != nullptr ? Window()->Handle() : nullptr;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchOneMessage(message, main);
    }
    return session_.ExitCode(outcome, static_cast<int>(message.wParam));
}

}  // namespace quellix
