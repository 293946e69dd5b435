// Apps-ask requests with their argument rules.
#include "shell/apps_ask_requests.hpp"

#include <algorithm>

#include "shell/apps_ask_shell.hpp"

namespace {

constexpr std::uint32_t kTextCode = 12;

// Copies at most the field's length; the rest of the field stays zero.
template <std::size_t N>
void copyBounded(std::array<char16_t, N>& field, std::u16string_view text) {
  const std::size_t length = std::min(text.size(), N);
  std::copy_n(text.begin(), length, field.begin());
}

bool sendCode(std::uint32_t code, std::uint32_t first = 0, std::uint32_t second = 0) {
  AppsAskShellRequest request;
  request.code = code;
  request.firstArgument = first;
  request.secondArgument = second;
  return SendAppsAskShell(request);
}

}  // namespace

bool AppsAskShellWithArgument(std::uint32_t code, std::uint32_t argument) {
  if ((code != 1 && code != 2) || argument == 0) return false;
  return sendCode(code, argument);
}

bool AppsAskShellWithTwoArguments(std::uint32_t code, std::uint32_t first, std::uint32_t second) {
  if ((code != 3 && code != 4) || first == 0) return false;
  return sendCode(code, first, second);
}

bool AppsAskShellWithoutArgument(std::uint32_t code) {
  const bool takesNoArgument = (code >= 5 && code <= 9) || code == 13;
  if (!takesNoArgument) return false;
  return sendCode(code);
}

bool AppsAskShellTextWithValues(std::u16string_view text, std::uint32_t firstValue, std::uint32_t secondValue) {
  if (text.empty()) return false;
  AppsAskShellRequest request;
  request.code = kTextCode;
  copyBounded(request.text, text);
  request.variantFlag = 1;
  request.firstValue = firstValue;
  request.secondValue = secondValue;
  return SendAppsAskShell(request);
}

bool AppsAskShellTextWithSecondText(std::u16string_view text, std::u16string_view secondText,
                                    const std::array<std::uint32_t, 4>& block) {
  if (text.empty()) return false;
  AppsAskShellRequest request;
  request.code = kTextCode;
  copyBounded(request.text, text);
  request.variantFlag = 0;
  copyBounded(request.secondText, secondText);
  request.block = block;
  return SendAppsAskShell(request);
}
