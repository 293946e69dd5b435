// The address a request comes from, for its rate limit: the connection's peer,
// or, when the peer is a trusted proxy, the address the proxies name in
// X-Forwarded-For (the nearest one that is not itself a trusted proxy).
// Anyone can write X-Forwarded-For, so it is believed from those proxies only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

std::string clientAddress(std::string_view peer, std::string_view forwardedFor,
                          const std::vector<std::string>& trustedProxies);
