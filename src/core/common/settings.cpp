#include "core/common/settings.h"

#include "core/common/version.h"

namespace quellix {

std::string VersionText(int major, int minor, int revision) {
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

std::string ProgramTitleFor(const std::string& version) {
    return "Quellix " + version;
}

void SetBuildVersion(Settings& settings) {
    settings.Version =
        VersionText(build::kVersionMajor, build::kVersionMinor, build::kVersionRevision);
    settings.ProgramTitle = ProgramTitleFor(settings.Version);
}

}  // namespace quellix
