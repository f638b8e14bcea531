#include "app/preview_program.h"

#include "app/headless_front_end.h"
#include "core/common/exit_codes.h"
#include "core/common/service_host.h"
#include "core/config/preview_load.h"
#include "core/mainwindow/count_pass.h"
#include "core/purge/preview_report.h"
#include "core/purge/purge_engine.h"
#include "core/purge/purge_preview.h"
#include "platform/access_times.h"
#include "platform/clock.h"

namespace quellix {

namespace {

// A preview reports to no system log: it is not the service, and nothing it finds is an event.
class NoServiceHost final : public ServiceHost {
  public:
    bool IsInstalled() const override { return false; }
    bool IsServiceProcess() const override { return false; }
    void WriteEventLog(std::string_view, EventType) override {}
    ServiceStartType StartType() const override { return ServiceStartType::Disabled; }
    void SetStartType(ServiceStartType) override {}
    bool InteractWithDesktop() const override { return false; }
    void SetInteractWithDesktop(bool) override {}
    bool Install(bool) override { return false; }
    bool Uninstall() override { return false; }
};

}  // namespace

int RunPreview(const CommandLine& commandLine, const ProgramFiles& files, std::ostream& out,
               std::ostream& err) {
    platform::LeaveAccessTimes();
    HeadlessFrontEnd frontEnd(err);
    NoServiceHost service;
    ProgramState state;
    if (const auto error = LoadWithoutWriting({commandLine, files}, state, frontEnd)) {
        err << "quellix: "
            << ConfigErrorOneLine(*error, state.settings.language(), state.settings.ConfigPath)
            << '\n';
        return kExitConfigError;
    }
    PurgeEngine engine(state.settings, platform::SystemClock(), frontEnd);
    // The counts tell which entries a run would pass over.
    CountPass({state.settings, state.folders, frontEnd, service, engine, CountDepth::FirstFile});
    const PurgePreview preview = PreviewPurge(state.folders, engine);
    if (commandLine.json) {
        WritePreviewJson(preview, out);
    } else {
        WritePreviewText(preview, out);
    }
    return kExitSuccess;
}

}  // namespace quellix
