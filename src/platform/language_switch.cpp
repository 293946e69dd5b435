// The running program's change of language: active language, pictures, repaint.
#include "platform/language_switch.hpp"

#include <algorithm>
#include <vector>

#include "platform/host.hpp"
#include "platform/imaging.hpp"
#include "platform/language/language.hpp"
#include "platform/mz_window.hpp"
#include "platform/platform_state.hpp"

namespace {

constinit bool namedForRun = false;

}  // namespace

void setLanguageNamedForRun(bool named) { namedForRun = named; }

bool languageNamedForRun() { return namedForRun; }

bool switchLanguage(std::string_view language, std::string& error) {
  if (!isKnownLanguage(language)) {
    error = "unknown language '" + std::string(language) + "'";
    return false;
  }
  if (Host* host = currentHost(); host && !host->prepareLanguage(std::string(language))) {
    error = "the pictures of '" + std::string(language) + "' cannot be loaded";
    return false;
  }
  // A catalogue that cannot be read still switches the pictures; its texts
  // show untranslated, as at start.
  const bool read = setActiveLanguage(language, error);
  reloadPicturesForLanguage();
  if (CMzWnd* window = frontWindow()) window->Invalidate(nullptr, 0);
  return read;
}

std::string nextLanguage() {
  const std::vector<std::string> languages = knownLanguages();
  auto at = std::find(languages.begin(), languages.end(), activeLanguage());
  if (at == languages.end() || ++at == languages.end()) at = languages.begin();
  return *at;
}

void applyStoredLanguage(std::string_view stored) {
  if (namedForRun || stored.empty() || stored == "auto" || !isKnownLanguage(stored)) return;
  if (stored == activeLanguage()) return;
  std::string error;
  switchLanguage(stored, error);
}
