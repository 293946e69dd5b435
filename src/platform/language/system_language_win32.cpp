// The system's language on Windows: the user's locale ("pt-BR"), the first
// known language of it, else the fallback.
#include <windows.h>

#include "platform/language/language.hpp"
#include "platform/language/system_language.hpp"
#include "platform/system/utf.hpp"

std::string languageFromSystem() {
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  if (::GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) == 0) return std::string(FallbackLanguage);
  const std::wstring_view wide(name);
  return languageForLocales(utf8FromUtf16(std::u16string(wide.begin(), wide.end())));
}
