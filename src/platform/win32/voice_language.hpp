// Which SAPI voice speaks the game's language: a voice names its languages in
// its "Language" attribute as hexadecimal Windows language ids ("409;9").
// Plain text work, built and tested on every system.
#pragma once

#include <string_view>

// 2 when the voice speaks `language` (the game's code, "pt") in the game's
// own variant (Brazil's for "pt"), 1 in another variant of it, 0 otherwise.
int voiceLanguageScore(std::string_view languageAttribute, std::string_view language);
