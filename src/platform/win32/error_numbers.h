#pragma once

namespace quellix::platform::win32 {

// The platform layer reports failures as errno numbers on every system, so that the purge's
// decisions and log lines do not depend on the system. These map Windows' own codes onto them.
int ErrnoFromWin32(unsigned long error);  // a GetLastError() value
int ErrnoFromNtStatus(long status);       // an NTSTATUS
int LastErrno();                          // ErrnoFromWin32(GetLastError())

}  // namespace quellix::platform::win32
