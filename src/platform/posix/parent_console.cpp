#include "platform/parent_console.h"

namespace quellix::platform {

void UseParentConsole() {}

}  // namespace quellix::platform
