// Who a request comes from.
#include "server/client_address.hpp"

#include <algorithm>

namespace {

std::string_view trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// An IPv4 peer of a dual-stack socket shows as ::ffff:a.b.c.d; it is a.b.c.d.
std::string_view plain(std::string_view address) {
  constexpr std::string_view Mapped = "::ffff:";
  if (address.starts_with(Mapped) && address.find('.') != std::string_view::npos) address.remove_prefix(Mapped.size());
  return address;
}

bool trusted(std::string_view address, const std::vector<std::string>& proxies) {
  return std::find(proxies.begin(), proxies.end(), plain(address)) != proxies.end();
}

}  // namespace

std::string clientAddress(std::string_view peer, std::string_view forwardedFor,
                          const std::vector<std::string>& trustedProxies) {
  if (!trusted(peer, trustedProxies) || trimmed(forwardedFor).empty()) return std::string(plain(peer));
  // Each proxy appends the address it heard from: read from the right, past
  // our own proxies, to the first address none of them is.
  std::string_view rest = forwardedFor;
  std::string_view farthest;
  while (!rest.empty()) {
    const size_t comma = rest.rfind(',');
    const std::string_view address = trimmed(comma == std::string_view::npos ? rest : rest.substr(comma + 1));
    rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(0, comma);
    if (address.empty()) continue;
    if (!trusted(address, trustedProxies)) return std::string(plain(address));
    farthest = address;
  }
  return std::string(plain(farthest));
}
