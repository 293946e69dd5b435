// The language the system asks for: the environment's gettext variables on
// POSIX systems, the user's locale (GetUserDefaultLocaleName) on Windows.
#pragma once

#include <string>

std::string languageFromSystem();
