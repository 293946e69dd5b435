// Where the running program's executable lies.
#pragma once

#include <string>

// The full path of the running executable, however long; empty when the system cannot tell.
std::u16string executablePath();

// The whole target of a symbolic link, however long; empty when it cannot be read.
std::string symlinkTarget(const std::string& link);
