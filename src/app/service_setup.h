#pragma once

#include <ostream>
#include <string>

#include "core/common/service_host.h"
#include "core/config/command_line.h"
#include "core/config/program_files.h"

namespace quellix {

// What --install-service adds on Windows when the service does not run: how it gets started.
std::string WindowsStartHint(ServiceStartType startType);

// --install-service and --uninstall-service: registers or removes the service unit from the
// command line, for machines without the desktop window. Returns the exit code.
int RunServiceSetup(const CommandLine& commandLine, const ProgramFiles& files,
                    SystemServiceHost& service, std::ostream& out, std::ostream& err);

}  // namespace quellix
