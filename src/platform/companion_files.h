#pragma once

#include <string>
#include <string_view>

namespace quellix::platform {

// Names of the files the program keeps beside a file it writes in place, such as the
// configuration file: its instance lock and the temporaries of its crash-safe replacement. They
// all start with "." and are derived from the file's name alone, so the files of two
// configuration files in one folder never mix. No function here calls the system.

// ".<fileName>.lock"; ".quellix#<hash>.lock" when that would be longer than a name may be.
std::string LockFileName(std::string_view fileName);

// Template for mkstemp of the temporaries that replace fileName: ".<fileName>.quellix-XXXXXX"
// (".quellix#<hash>.quellix-XXXXXX" when too long).
std::string TemporaryNameTemplate(std::string_view fileName);

// True for a name that TemporaryNameTemplate(fileName) gives once its X are filled in.
bool IsTemporaryName(std::string_view name, std::string_view fileName);

// True for ".quellix-XXXXXX", the temporaries of earlier versions, named alike for every file.
bool IsSharedTemporaryName(std::string_view name);

// True when name is one of the program's own files beside a file called fileName in the same
// folder: its lock file, its temporaries, or a temporary of the earlier shared form.
bool IsCompanionFileName(std::string_view name, std::string_view fileName);

}  // namespace quellix::platform
