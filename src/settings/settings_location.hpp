// Where the settings file lives: beside the executable for a copy run where it
// was built, in the user's configuration directory for an installed copy, which
// cannot write beside its executable.
#pragma once

#include <string>

// The file an install puts beside the executable to say the copy is installed.
constexpr const char* InstalledMarkerName = "quandrel.installed";

// Whether the executable in `exeDirectory` is an installed copy.
bool runsInstalled(const std::u16string& exeDirectory);

// The settings file of the executable in `exeDirectory`: "quandrel.ini" beside
// it, or for an installed copy "quandrel/quandrel.ini" in the user's
// configuration directory. Empty when no place is known. Changes nothing on
// disk.
std::u16string settingsFileLocation(const std::u16string& exeDirectory);
// The same place, with an installed copy's configuration folder created when
// missing, ready for the file to be made there.
std::u16string settingsFilePath(const std::u16string& exeDirectory);
