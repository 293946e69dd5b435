// Run links, and the host's default link for a token.
#include "platform/run_link.hpp"

#include "platform/host.hpp"
#include "text/trimmed.hpp"

#ifndef QUANDREL_PAGE_ADDRESS
#define QUANDREL_PAGE_ADDRESS ""
#endif

std::string runLinkAt(std::string_view address, std::string_view token) {
  address = trimmed(address);
  address = address.substr(0, address.find('#'));
  if (address.empty()) return std::string(token);
  std::string link(address);
  link += token.starts_with(BoardTokenStart) ? BoardFragment : RunFragment;
  link += token;
  return link;
}

std::string_view configuredPageAddress() { return QUANDREL_PAGE_ADDRESS; }

std::string Host::runLink(const std::string& token) { return runLinkAt(configuredPageAddress(), token); }
