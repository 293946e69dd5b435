// SAPI 5 through COM: two ISpVoice objects, the voice chosen by its language
// attribute, the text handed over as UTF-16 plain text (never read as XML).
#include "platform/win32/sapi_voice.hpp"

#include <windows.h>
// After windows.h: defines the SAPI class and interface ids this file uses.
#include <initguid.h>
#include <sapi.h>
#include <wrl/client.h>

#include <cstdio>

#include "platform/system/utf.hpp"
#include "platform/win32/voice_language.hpp"

namespace {

using Microsoft::WRL::ComPtr;

std::string failure(const char* what, HRESULT result) {
  char text[128];
  std::snprintf(text, sizeof(text), "%s (error 0x%08lx)", what, static_cast<unsigned long>(result));
  return text;
}

// COM on the calling thread, for the life of the voice made there.
class ComApartment {
 public:
  ComApartment() : result_(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  HRESULT result() const { return result_; }

 private:
  HRESULT result_;
};

// The installed voice that best speaks `language`; null when none does.
ComPtr<ISpObjectToken> voiceFor(const std::string& language) {
  ComPtr<ISpObjectTokenCategory> category;
  ComPtr<IEnumSpObjectTokens> tokens;
  if (FAILED(::CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&category))) ||
      FAILED(category->SetId(SPCAT_VOICES, FALSE)) || FAILED(category->EnumTokens(nullptr, nullptr, &tokens))) {
    return nullptr;
  }
  ComPtr<ISpObjectToken> best;
  int bestScore = 0;
  ComPtr<ISpObjectToken> token;
  while (tokens->Next(1, token.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
    ComPtr<ISpDataKey> attributes;
    wchar_t* value = nullptr;
    if (FAILED(token->OpenKey(SPTOKENKEY_ATTRIBUTES, &attributes)) ||
        FAILED(attributes->GetStringValue(L"Language", &value))) {
      continue;
    }
    const std::wstring_view wide(value);
    const int score = voiceLanguageScore(utf8FromUtf16(std::u16string(wide.begin(), wide.end())), language);
    ::CoTaskMemFree(value);
    if (score > bestScore) {
      best = token;
      bestScore = score;
    }
  }
  return best;
}

class SapiVoice final : public SpeechVoice {
 public:
  SapiVoice(std::unique_ptr<ComApartment> apartment, ComPtr<ISpVoice> polite, ComPtr<ISpVoice> assertive)
      : apartment_(std::move(apartment)), polite_(std::move(polite)), assertive_(std::move(assertive)) {}

  ~SapiVoice() override {
    // The game has ended: what is still being said stops with it.
    polite_->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
    assertive_->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
    polite_.Reset();
    assertive_.Reset();
  }

  std::string speak(const SpokenLine& line) override {
    if (line.language != language_) {
      language_ = line.language;
      // No voice for the language: the system's default one speaks.
      const ComPtr<ISpObjectToken> voice = voiceFor(language_);
      polite_->SetVoice(voice.Get());
      assertive_->SetVoice(voice.Get());
    }
    const std::u16string text = utf16FromUtf8(line.text);
    const bool assertive = line.priority == AnnouncementPriority::Assertive;
    const DWORD flags = SPF_ASYNC | SPF_IS_NOT_XML | (assertive ? 0 : SPF_PURGEBEFORESPEAK);
    const HRESULT result =
        (assertive ? assertive_ : polite_)->Speak(reinterpret_cast<const wchar_t*>(text.c_str()), flags, nullptr);
    if (FAILED(result)) return failure("the Windows voice cannot speak", result);
    return {};
  }

 private:
  std::unique_ptr<ComApartment> apartment_;  // ends after the voices (members end in reverse)
  ComPtr<ISpVoice> polite_;
  ComPtr<ISpVoice> assertive_;
  std::string language_;
};

}  // namespace

std::unique_ptr<SpeechVoice> makeSapiVoice(std::string& why) {
  auto apartment = std::make_unique<ComApartment>();
  if (FAILED(apartment->result())) {
    why = failure("COM cannot start", apartment->result());
    return nullptr;
  }
  ComPtr<ISpVoice> polite;
  ComPtr<ISpVoice> assertive;
  HRESULT result = ::CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&polite));
  if (SUCCEEDED(result)) result = ::CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&assertive));
  if (FAILED(result)) {
    why = failure("no Windows voice (SAPI)", result);
    return nullptr;
  }
  // Without alert priority the assertive voice still speaks, after the polite one.
  assertive->SetPriority(SPVPRI_ALERT);
  return std::make_unique<SapiVoice>(std::move(apartment), std::move(polite), std::move(assertive));
}
