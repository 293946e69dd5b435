// The system's language on POSIX: as gettext programs choose.
#include "platform/language/language.hpp"
#include "platform/language/system_language.hpp"

std::string languageFromSystem() { return languageFromEnvironment(); }
