#pragma once

#include <QApplication>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/qt/app/desktop_program.h"
#include "gui/qt/mainwindow/tray_icon.h"
#include "support/fake_service_host.h"
#include "support/file_tree.h"
#include "support/temp_dir.h"

namespace quellix::test {

// The notification area as tests see it: shown, removed, and a left click on demand.
class FakeTrayIcon final : public TrayIcon {
  public:
    explicit FakeTrayIcon(bool available) : available_(available) {}
    bool Available() const override { return available_; }
    void Show(const QIcon&, const QString& newTip, QMenu* newMenu) override {
        shown = true;
        tip = newTip;
        menu = newMenu;
    }
    void Remove() override { shown = false; }
    void Click() { emit LeftClicked(); }

    bool shown = false;
    QString tip;
    QMenu* menu = nullptr;

  private:
    bool available_;
};

// A desktop program on its own configuration file in a temporary folder, its folders in a tree
// of files, its message boxes scripted and its documents "opened" into a list.
class DesktopFixture {
  public:
    // ini is the configuration file's content; "@" in it stands for the tree's root.
    explicit DesktopFixture(const std::string& ini, bool withTray = true);
    ~DesktopFixture();

    StartupOutcome Start();
    MainWindow& Window() const { return *program->Window(); }
    FakeTrayIcon& Tray() const { return static_cast<FakeTrayIcon&>(program->Tray()); }
    std::string Ini() const { return dir.Read("Quellix.ini"); }

    TempDir dir;
    FileTree tree;
    FakeServiceHost service;
    std::vector<std::string> opened;
    std::vector<std::string> edited;
    // The exit code the program ended its event loop with.
    std::optional<int> endedWith;
    std::unique_ptr<DesktopProgram> program;
    bool trayAvailable;
};

// An entry of the [Paths] section: folder under the tree, retention, subfolders cell, action.
std::string Entry(int number, const std::string& folder, const std::string& retention,
                  const std::string& subfolders, const std::string& actionKey);

}  // namespace quellix::test
