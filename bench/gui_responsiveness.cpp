// Driver for the window's responsiveness benchmark: the desktop program on a configuration of one
// folder entry, its start-up count, a count pass and an immediate delete purge, while a timer that
// fires at every turn of the event loop records the longest time between two of its firings.
// bench/gui_responsiveness.sh runs it on the offscreen platform and checks its figures.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "core/mainwindow/scheduler.h"
#include "core/service/systemd_service_host.h"
#include "gui/qt/app/desktop_program.h"
#include "gui/qt/common/message_box.h"
#include "gui/qt/mainwindow/main_window.h"
#include "gui/qt/mainwindow/tray_icon.h"
#include "platform/clock.h"

namespace {

// No notification area to depend on: the offscreen platform has none.
class NoTray final : public quellix::TrayIcon {
  public:
    bool Available() const override { return false; }
    void Show(const QIcon&, const QString&, QMenu*) override {}
    void Remove() override {}
};

// The longest stretch of a phase in which the event loop did not turn, measured from the phase's
// start to its first firing, between firings, and from the last firing to the phase's end.
class GapProbe {
  public:
    GapProbe() {
        clock_.start();
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Mark(); });
        timer_.start();
    }

    void Begin() {
        longest_ = 0;
        firings_ = 0;
        start_ = last_ = clock_.nsecsElapsed();
    }
    void End() { Mark(); }

    double LongestMs() const { return static_cast<double>(longest_) / 1e6; }
    double PhaseMs() const { return static_cast<double>(last_ - start_) / 1e6; }
    std::int64_t Firings() const { return firings_; }

  private:
    void Mark() {
        const qint64 now = clock_.nsecsElapsed();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
        ++firings_;
    }

    QElapsedTimer clock_;
    QTimer timer_;
    qint64 start_ = 0;
    qint64 last_ = 0;
    qint64 longest_ = 0;
    std::int64_t firings_ = 0;
};

int failures = 0;

void Check(bool good, const std::string& what) {
    if (!good) {
        std::cerr << "quellix_gui_bench: WRONG: " << what << '\n';
        ++failures;
    }
}

void Report(const char* phase, const GapProbe& probe) {
    std::printf("%s_ms %.1f %s_gap_ms %.1f %s_events %lld\n", phase, probe.PhaseMs(), phase,
                probe.LongestMs(), phase, static_cast<long long>(probe.Firings()));
}

std::int64_t CountCell(quellix::DesktopProgram& program) {
    const quellix::FileCount& count = program.State().folders.Entries().at(0).count;
    return count.state == quellix::FileCount::State::Counted ? count.files : -1;
}

bool WriteConfiguration(const QString& path, const std::string& folder, const std::string& hours) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const std::string ini = "[Purge]\nHeure=12:00\n[Paths]\nNbPaths=1\nPath1=" + folder +
                            "/\nRetentionPath1=" + hours + "\nSousDossiers1=oui\nDate1=M\n" +
                            "Effacer1=oui\n";
    return file.write(ini.data(), static_cast<qint64>(ini.size())) ==
           static_cast<qint64>(ini.size());
}

int Run(const std::string& folder, const std::string& hours, std::int64_t files,
        std::int64_t young) {
    using quellix::MessageAnswer;
    using quellix::MessageBoxes;
    QTemporaryDir programFolder;
    if (!programFolder.isValid() ||
        !WriteConfiguration(programFolder.filePath("Quellix.ini"), folder, hours)) {
        std::cerr << "quellix_gui_bench: cannot write the configuration\n";
        return 1;
    }
    // Every question answered with its default (none is expected before the purge's).
    MessageBoxes::Script({});
    quellix::SystemdServiceHost service(std::vector<std::string>{}, false);
    quellix::DesktopProgram program(
        {{quellix::CommandLine{}, quellix::PortableProgramFiles(programFolder.path().toStdString()),
          service, quellix::platform::SystemClock(), [](const std::string&) { return true; },
          [](const std::string&) { return true; }, [](int code) { QApplication::exit(code); }},
         [] { return std::make_unique<NoTray>(); }});
    GapProbe probe;

    probe.Begin();
    const quellix::StartupOutcome outcome = program.Start();
    probe.End();
    if (outcome != quellix::StartupOutcome::Running || program.Window() == nullptr) {
        std::cerr << "quellix_gui_bench: the program did not start\n";
        return 1;
    }
    Report("start", probe);
    Check(CountCell(program) == files, "start-up count " + std::to_string(CountCell(program)) +
                                           ", headless count " + std::to_string(files));

    probe.Begin();
    program.Front().RunCountPass();
    probe.End();
    Report("count", probe);
    Check(CountCell(program) == files, "count pass " + std::to_string(CountCell(program)) +
                                           ", headless count " + std::to_string(files));

    // "Purge now and stop" ticked, then Start: a count, the question, the purge, a count.
    program.Schedule().SetImmediate(true);
    MessageBoxes::Script({MessageAnswer::Yes});
    probe.Begin();
    program.Schedule().Start();
    probe.End();
    Report("purge", probe);
    Check(MessageBoxes::Asked().size() == 1,
          "questions asked: " + std::to_string(MessageBoxes::Asked().size()));
    Check(program.State().settings.NbDernierePurge == files - young,
          "files purged " + std::to_string(program.State().settings.NbDernierePurge) +
              ", old files " + std::to_string(files - young));
    Check(CountCell(program) == young, "count after the purge " +
                                           std::to_string(CountCell(program)) + ", young files " +
                                           std::to_string(young));
    Check(program.Schedule().Mode() == quellix::SchedulerMode::Stopped,
          "the scheduler did not stop after the purge");
    MessageBoxes::StopScripting();
    return failures == 0 ? 0 : 1;
}

bool ParseCount(const char* text, std::int64_t& value) {
    const std::string s(text);
    if (s.empty() || s.find_first_not_of("0123456789") != std::string::npos || s.size() > 18) {
        return false;
    }
    value = std::stoll(s);
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::int64_t files = 0;
    std::int64_t young = 0;
    if (argc != 5 || !ParseCount(argv[3], files) || !ParseCount(argv[4], young) || young > files) {
        std::cerr << "usage: quellix_gui_bench DIR HOURS FILES YOUNG\n"
                     "  FILES: the headless count of DIR; YOUNG: its files newer than HOURS\n";
        return 2;
    }
    quellix::platform::UseUserTimeLocale();
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return Run(argv[1], argv[2], files, young);
}
