// Byte layout of the apps-ask request, written field by field.
#include "shell/apps_ask_request.hpp"

#include "shell/record_writer.hpp"

std::array<std::uint8_t, kAppsAskShellRequestBytes> serializeAppsAskShellRequest(const AppsAskShellRequest& request) {
  std::array<std::uint8_t, kAppsAskShellRequestBytes> bytes{};
  RecordWriter out(bytes);
  out.putWord(0, request.code);
  out.putWord(4, request.firstArgument);
  out.putWord(8, request.secondArgument);
  out.putText(12, request.text);
  out.putWord(140, request.variantFlag);
  out.putText(144, request.secondText);
  out.putWord(208, request.firstValue);
  out.putWord(212, request.secondValue);
  for (std::size_t i = 0; i < request.block.size(); ++i) out.putWord(216 + 4 * i, request.block[i]);
  return bytes;
}
