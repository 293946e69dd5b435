#include "runs/token_codec.hpp"

#include <array>

namespace runs::codec {
namespace {

constexpr uint32_t KindBits = 3;
constexpr std::string_view Base64Url = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

constexpr std::array<uint32_t, 256> makeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}
constexpr std::array<uint32_t, 256> CrcTable = makeCrcTable();

std::string toBase64Url(const std::vector<uint8_t>& bytes) {
  std::string text;
  uint32_t buffer = 0;
  int bits = 0;
  for (uint8_t byte : bytes) {
    buffer = (buffer << 8) | byte;
    bits += 8;
    while (bits >= 6) {
      bits -= 6;
      text += Base64Url[(buffer >> bits) & 0x3Fu];
    }
  }
  if (bits > 0) text += Base64Url[(buffer << (6 - bits)) & 0x3Fu];
  return text;
}

}  // namespace

uint32_t checksum(std::string_view tag, const std::vector<uint8_t>& bytes, size_t length) {
  uint32_t c = 0xFFFFFFFFu;
  for (const char t : tag) c = CrcTable[(c ^ static_cast<uint8_t>(t)) & 0xFFu] ^ (c >> 8);
  for (size_t i = 0; i < length; ++i) c = CrcTable[(c ^ bytes[i]) & 0xFFu] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void putNumber(std::vector<uint8_t>& bytes, uint64_t value) {
  while (value >= 0x80) {
    bytes.push_back(static_cast<uint8_t>(value | 0x80));
    value >>= 7;
  }
  bytes.push_back(static_cast<uint8_t>(value));
}

void putActions(std::vector<uint8_t>& bytes, const std::vector<RunAction>& actions) {
  putNumber(bytes, actions.size());
  uint32_t previous = 0;
  for (const RunAction& action : actions) {
    const uint64_t delta = action.tickMs - previous;
    putNumber(bytes, (delta << KindBits) | static_cast<uint8_t>(action.kind));
    previous = action.tickMs;
  }
}

std::string finish(std::string_view prefix, std::string_view tag, std::vector<uint8_t>& bytes) {
  const uint32_t sum = checksum(tag, bytes, bytes.size());
  for (size_t i = 0; i < ChecksumBytes; ++i) bytes.push_back(static_cast<uint8_t>(sum >> (8 * i)));
  return std::string(prefix) + toBase64Url(bytes);
}

Base64Result fromBase64Url(std::string_view text, std::vector<uint8_t>& bytes) {
  if (text.size() % 4 == 1) return Base64Result::Cut;
  uint32_t buffer = 0;
  int bits = 0;
  for (char c : text) {
    const size_t value = Base64Url.find(c);
    if (value == std::string_view::npos) return Base64Result::BadCharacter;
    buffer = (buffer << 6) | static_cast<uint32_t>(value);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes.push_back(static_cast<uint8_t>(buffer >> bits));
    }
  }
  // The last character's unused bits are zero in a token we wrote; other
  // bits there would give a second spelling of the same token.
  if ((buffer & ((1u << bits) - 1)) != 0) return Base64Result::StrayBits;
  return Base64Result::Decoded;
}

std::optional<uint64_t> ByteReader::number(uint64_t maximum) {
  uint64_t value = 0;
  for (int shift = 0; shift < 64; shift += 7) {
    if (at_ >= end_) {
      cut = true;
      return std::nullopt;
    }
    const uint8_t byte = bytes_[at_++];
    value |= static_cast<uint64_t>(byte & 0x7Fu) << shift;
    if ((byte & 0x80u) == 0) {
      if (value > maximum || (shift > 0 && byte == 0)) break;  // too large, or not the shortest form
      return value;
    }
  }
  damaged = true;
  return std::nullopt;
}

RunRefusal readActions(ByteReader& reader, std::vector<RunAction>& actions) {
  const auto count = reader.number(UINT32_MAX);
  if (!count) return reader.failure();
  // Every action takes at least a byte, and the checksum four more.
  if (*count > reader.remaining()) return RunRefusal::Cut;
  actions.reserve(static_cast<size_t>(*count));
  uint64_t tick = 0;
  for (uint64_t i = 0; i < *count; ++i) {
    const auto packed = reader.number(UINT64_MAX >> 1);
    if (!packed) return reader.failure();
    tick += *packed >> KindBits;
    const auto kind = static_cast<uint8_t>(*packed & ((1u << KindBits) - 1));
    if (tick > UINT32_MAX || kind >= ActionKindCount) return RunRefusal::Damaged;
    actions.push_back(RunAction{static_cast<uint32_t>(tick), static_cast<ActionKind>(kind)});
  }
  return RunRefusal::Accepted;
}

Opened open(std::string_view token, std::string_view prefix) {
  Opened opened;
  if (token.substr(0, prefix.size()) != prefix) {
    opened.refusal = RunRefusal::NotARun;
    return opened;
  }
  const Base64Result spelling = fromBase64Url(token.substr(prefix.size()), opened.bytes);
  if (spelling == Base64Result::BadCharacter) opened.refusal = RunRefusal::NotARun;
  if (spelling == Base64Result::Cut) opened.refusal = RunRefusal::Cut;
  opened.strayBits = spelling == Base64Result::StrayBits;
  return opened;
}

RunRefusal close(const Opened& opened, const ByteReader& reader, std::string_view tag) {
  if (reader.remaining() < ChecksumBytes) return RunRefusal::Cut;
  if (reader.remaining() > ChecksumBytes) return RunRefusal::Damaged;
  const size_t body = opened.bytes.size() - ChecksumBytes;
  uint32_t stored = 0;
  for (size_t i = 0; i < ChecksumBytes; ++i) stored |= static_cast<uint32_t>(opened.bytes[body + i]) << (8 * i);
  if (stored != checksum(tag, opened.bytes, body)) return RunRefusal::ForgedChecksum;
  if (opened.strayBits) return RunRefusal::Damaged;
  return RunRefusal::Accepted;
}

}  // namespace runs::codec
