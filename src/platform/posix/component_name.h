#pragma once

#include <climits>
#include <string_view>

namespace quellix::platform::posix {

// One path component as the system calls want it: NUL-terminated, on the stack. Anything that
// would make a call reach outside the folder it is given ("..", "a/b") is refused.
class ComponentName {
  public:
    explicit ComponentName(std::string_view name);
    ComponentName(const ComponentName&) = delete;
    ComponentName& operator=(const ComponentName&) = delete;

    // 0 when usable; EINVAL for "", ".", ".." or a name holding '/' or NUL; ENAMETOOLONG.
    int Error() const { return error_; }
    bool Valid() const { return error_ == 0; }
    const char* CStr() const { return text_; }

  private:
    char text_[NAME_MAX + 1];
    int error_ = 0;
};

}  // namespace quellix::platform::posix
