// Key names as SDL spells them ("Left", "Return", "F11", "R", ...).
#pragma once

#include <optional>
#include <string_view>

#include "platform/mz_types.hpp"

// The key of a name, ignoring case; MzKey::Unknown for a name not known.
MzKey keyFromName(std::string_view name);
// The name of a key ("Unknown" for MzKey::Unknown).
std::string_view keyName(MzKey key);

// Pad button names: up down left right a b x y start back.
std::string_view padButtonName(MzPadButton button);
// The pad button of a name, ignoring case; nothing for a name not known.
std::optional<MzPadButton> padButtonFromName(std::string_view name);
// The key a pad button stands for: the d-pad the arrows, A Space, B Escape,
// X R, Y B, Start Return and Back S (the status on the game screen).
MzKey keyForPadButton(MzPadButton button);
