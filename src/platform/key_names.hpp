// Key names as SDL spells them ("Left", "Return", "F11", "R", ...).
#pragma once

#include <string_view>

#include "platform/mz_types.hpp"

// The key of a name, ignoring case; MzKey::Unknown for a name not known.
MzKey keyFromName(std::string_view name);
// The name of a key ("Unknown" for MzKey::Unknown).
std::string_view keyName(MzKey key);
