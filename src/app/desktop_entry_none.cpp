#include "app/desktop_entry.h"
#include "core/common/exit_codes.h"

namespace quellix {

int RunDesktop(const CommandLine&, const ProgramFiles&, std::ostream& err) {
    err << "quellix: this build has no desktop window; use -C for a one-shot run or --service "
           "to run as a service\n";
    return kExitNoDesktop;
}

}  // namespace quellix
