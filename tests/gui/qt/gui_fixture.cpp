#include "gui_fixture.h"

#include "gui/qt/common/message_box.h"
#include "gui/qt/mainwindow/main_window.h"
#include "platform/clock.h"

namespace quellix::test {

namespace {

std::string ReplaceRoot(std::string text, const std::string& root) {
    for (auto at = text.find('@'); at != std::string::npos; at = text.find('@', at)) {
        text.replace(at, 1, root);
        at += root.size();
    }
    return text;
}

}  // namespace

DesktopFixture::DesktopFixture(const std::string& ini, bool withTray) : trayAvailable(withTray) {
    dir.Write("Quellix.ini", ReplaceRoot(ini, tree.Root()));
    MessageBoxes::Script({});
    CommandLine commandLine;
    program = std::make_unique<DesktopProgram>(DesktopOptions{
        {commandLine, PortableProgramFiles(dir.Path()), service, platform::SystemClock(),
         [this](const std::string& path) {
             opened.push_back(path);
             return true;
         },
         [this](const std::string& path) {
             edited.push_back(path);
             return true;
         },
         [this](int code) { endedWith = code; }},
        [this] { return std::make_unique<FakeTrayIcon>(this->trayAvailable); }});
}

DesktopFixture::~DesktopFixture() {
    program.reset();
    MessageBoxes::StopScripting();
}

StartupOutcome DesktopFixture::Start() {
    return program->Start();
}

std::string Entry(int number, const std::string& folder, const std::string& retention,
                  const std::string& subfolders, const std::string& actionKey) {
    const std::string n = std::to_string(number);
    std::string entry = "Path" + n + "=@/" + folder + "/\nRetentionPath" + n + "=" + retention +
                        "\nSousDossiers" + n + "=" + subfolders + "\nDate" + n + "=M\n";
    if (!actionKey.empty()) {
        entry += actionKey + n + "=oui\n";
    }
    return entry;
}

}  // namespace quellix::test
