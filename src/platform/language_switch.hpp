// Changing the shown language while the program runs, and the player's stored
// choice meeting the run's own (the command line's --lang, the page's ?lang=).
#pragma once

#include <string>
#include <string_view>

// The run's language was named explicitly (--lang, ?lang=): a stored choice
// does not replace it for this run.
void setLanguageNamedForRun(bool named);
bool languageNamedForRun();

// Makes `language` the active one at once: texts change at the next paint,
// every loaded picture is loaded again from the language's variant, and the
// front window is repainted whole. False, with the reason, for an unknown
// language or one whose pictures the host cannot get (nothing changes then),
// and for a catalogue that cannot be read (its texts then show untranslated).
bool switchLanguage(std::string_view language, std::string& error);

// The language after the active one among the known ones, wrapping round.
std::string nextLanguage();

// Applies the player's stored choice at start: a known language code switches
// to it unless the run named its own; empty, "auto" or an unknown code leave
// the environment's choice.
void applyStoredLanguage(std::string_view stored);
