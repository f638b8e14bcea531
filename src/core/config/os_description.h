#pragma once

#include <string>
#include <string_view>

namespace quellix {

// "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64": the distribution's PRETTY_NAME when
// there is one, then the kernel's release as uname -r shows it.
std::string DescribeLinux(std::string_view kernelRelease, std::string_view osReleaseText);

// PRETTY_NAME of an os-release text, unquoted; empty when absent.
std::string PrettyNameOf(std::string_view osReleaseText);

}  // namespace quellix
