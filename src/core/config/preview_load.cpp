#include "core/config/preview_load.h"

#include "core/config/folder_list_store.h"
#include "core/config/ini_file.h"
#include "core/config/running_system.h"
#include "core/config/settings_reader.h"

namespace quellix {

namespace {

// The file as it stands: what reading it would correct in it is left as it is.
class ReadOnlyConfigStore final : public ConfigStore {
  public:
    explicit ReadOnlyConfigStore(std::unique_ptr<IniFile> file) : file_(std::move(file)) {}

    std::optional<std::string> Read(std::string_view section, std::string_view key) override {
        return file_->Read(section, key);
    }
    std::size_t StoredLength(std::string_view section, std::string_view key) override {
        return file_->StoredLength(section, key);
    }
    void Write(std::string_view, std::string_view, std::string_view) override {}
    void Delete(std::string_view, std::string_view) override {}
    void BeginReading() override { file_->BeginReading(); }
    void EndReading() override { file_->EndReading(); }

  private:
    std::unique_ptr<IniFile> file_;
};

}  // namespace

std::optional<ConfigError> LoadWithoutWriting(const StartupRequest& request, ProgramState& state,
                                              FrontEnd& frontEnd) {
    Settings& settings = state.settings;
    SetBuildVersion(settings);
    settings.CommandLine = request.commandLine.upperCased;
    settings.RunOnce = true;
    settings.ProgramFolder = request.files.ownFolder;
    settings.HelpFolder = request.files.helpFolder;
    settings.IsNt = DescribeRunningSystem().isNt;
    settings.ConfigPath = request.files.configPath;

    auto file = std::make_unique<IniFile>(settings.ConfigPath);
    const platform::ConfigFileState fileState = file->FileState();
    state.config = std::make_unique<ReadOnlyConfigStore>(std::move(file));
    ConfigStore& config = *state.config;
    if (auto error = ConfigFileRefusal(fileState)) {
        return error;
    }
    ReadStartupFlags(config, settings);
    if (auto error = ReadSchedule(config, settings)) {
        return error;
    }
    if (auto error = ReadPurgeOptions(config, settings)) {
        return error;
    }
    ReadStatisticsAndPaths(config, settings);
    if (auto error = LoadFolderList(config, settings, state.folders, frontEnd)) {
        return error;
    }
    ReadLogSettings(config, settings);
    return std::nullopt;
}

}  // namespace quellix
