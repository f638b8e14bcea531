#pragma once

#include <string>
#include <string_view>

namespace quellix {

// "Linux v.6.1, Build 0, Debian GNU/Linux 12 (bookworm)": the kernel's major and minor version,
// its patch number as the build, then the distribution's PRETTY_NAME when there is one.
std::string DescribeLinux(std::string_view kernelRelease, std::string_view osReleaseText);

// PRETTY_NAME of an os-release text, unquoted; empty when absent.
std::string PrettyNameOf(std::string_view osReleaseText);

}  // namespace quellix
