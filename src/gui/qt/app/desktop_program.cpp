#include "gui/qt/app/desktop_program.h"

#include <QApplication>

#include "gui/qt/mainwindow/main_window.h"
#include "gui/qt/mainwindow/tray_icon.h"

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
    return session_.ExitCode(outcome, QApplication::exec());
}

}  // namespace quellix
