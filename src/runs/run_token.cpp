// The run token: LEB128 numbers, each action as (tick delta << 3 | kind), a
// CRC-32 of everything before it, all in base64url without padding.
#include "runs/run_token.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "rules/level_table.hpp"
#include "text/trimmed.hpp"

namespace runs {
namespace {

constexpr uint32_t KindBits = 3;
constexpr size_t ChecksumBytes = 4;
constexpr std::string_view LinkMarker = "#run=";
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

uint32_t crc32(const std::vector<uint8_t>& bytes, size_t length) {
  uint32_t c = 0xFFFFFFFFu;
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

// Nothing for a character outside the alphabet. A length that leaves a single
// character over cannot come from whole bytes: the text was cut.
enum class Base64Result { Decoded, StrayBits, BadCharacter, Cut };
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
  // bits there would give a second spelling of the same run.
  if ((buffer & ((1u << bits) - 1)) != 0) return Base64Result::StrayBits;
  return Base64Result::Decoded;
}

// Reads the bytes of a run in order; a read past the end marks it cut, a
// number no run can hold marks it damaged.
class ByteReader {
 public:
  ByteReader(const std::vector<uint8_t>& bytes, size_t end) : bytes_(bytes), end_(end) {}

  std::optional<uint64_t> number(uint64_t maximum) {
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
  size_t remaining() const { return end_ - at_; }
  bool failed() const { return cut || damaged; }

  bool cut = false;
  bool damaged = false;

 private:
  const std::vector<uint8_t>& bytes_;
  size_t end_;
  size_t at_ = 0;
};

}  // namespace

std::string_view refusalName(RunRefusal refusal) {
  switch (refusal) {
    case RunRefusal::Accepted: return "";
    case RunRefusal::TooLarge: return "too-large";
    case RunRefusal::NotARun: return "not-a-run";
    case RunRefusal::Cut: return "cut";
    case RunRefusal::Damaged: return "damaged";
    case RunRefusal::ForgedChecksum: return "forged-checksum";
    case RunRefusal::Newer: return "newer";
    case RunRefusal::ImpossibleMove: return "impossible-move";
  }
  return "damaged";
}

std::string_view refusalText(RunRefusal refusal) {
  switch (refusal) {
    case RunRefusal::Accepted: return "";
    case RunRefusal::TooLarge: return "the run is larger than 64 KB";
    case RunRefusal::NotARun: return "this is not a Quandrel run";
    case RunRefusal::Cut: return "the run is cut short";
    case RunRefusal::Damaged: return "the run is damaged";
    case RunRefusal::ForgedChecksum: return "the run's checksum does not match: it was changed";
    case RunRefusal::Newer: return "the run comes from a newer version of the game";
    case RunRefusal::ImpossibleMove: return "the run holds a move the game does not allow";
  }
  return "the run is damaged";
}

std::string encodeRunToken(const Run& run) {
  std::vector<uint8_t> bytes;
  putNumber(bytes, run.formatVersion);
  putNumber(bytes, run.rulesRevision);
  putNumber(bytes, static_cast<uint32_t>(run.day));
  putNumber(bytes, static_cast<uint32_t>(run.level));
  putNumber(bytes, static_cast<uint8_t>(run.timeMode));
  putNumber(bytes, run.actions.size());
  uint32_t previous = 0;
  for (const RunAction& action : run.actions) {
    const uint64_t delta = action.tickMs - previous;
    putNumber(bytes, (delta << KindBits) | static_cast<uint8_t>(action.kind));
    previous = action.tickMs;
  }
  const uint32_t checksum = crc32(bytes, bytes.size());
  for (size_t i = 0; i < ChecksumBytes; ++i) bytes.push_back(static_cast<uint8_t>(checksum >> (8 * i)));
  return std::string(TokenPrefix) + toBase64Url(bytes);
}

std::string_view tokenFromLink(std::string_view text) {
  text = trimmed(text);
  const size_t marker = text.find(LinkMarker);
  if (marker != std::string_view::npos) {
    text = text.substr(marker + LinkMarker.size());
  } else if (const size_t token = text.find(TokenPrefix); token != std::string_view::npos) {
    text = text.substr(token);  // a bare token inside a shared text
  }
  const size_t end = text.find_first_of("&# \t\r\n");
  return end == std::string_view::npos ? text : text.substr(0, end);
}

RunRefusal decodeRunToken(std::string_view text, Run& run) {
  if (text.size() > MaxTokenBytes) return RunRefusal::TooLarge;
  const std::string_view token = tokenFromLink(text);
  if (token.substr(0, TokenPrefix.size()) != TokenPrefix) return RunRefusal::NotARun;
  std::vector<uint8_t> bytes;
  const Base64Result spelling = fromBase64Url(token.substr(TokenPrefix.size()), bytes);
  if (spelling == Base64Result::BadCharacter) return RunRefusal::NotARun;
  if (spelling == Base64Result::Cut) return RunRefusal::Cut;

  // The version first: a newer layout may differ in everything after it.
  ByteReader reader(bytes, bytes.size());
  const auto version = reader.number(UINT32_MAX);
  if (!version) return reader.cut ? RunRefusal::Cut : RunRefusal::Damaged;
  if (*version > RunFormatVersion) return RunRefusal::Newer;
  if (*version == 0) return RunRefusal::Damaged;
  const auto rules = reader.number(UINT32_MAX);
  if (rules && *rules > RulesRevision) return RunRefusal::Newer;

  Run read;
  read.formatVersion = static_cast<uint32_t>(*version);
  const auto day = reader.number(INT32_MAX);
  const auto level = reader.number(UINT8_MAX);
  const auto mode = reader.number(UINT8_MAX);
  const auto count = reader.number(UINT32_MAX);
  if (reader.failed()) return reader.cut ? RunRefusal::Cut : RunRefusal::Damaged;
  if (*rules != RulesRevision || *day < 1 || *level < FirstLevel || *level > LevelCount || *mode >= TimeModeCount)
    return RunRefusal::Damaged;
  // Every action takes at least a byte, and the checksum four more.
  if (*count > reader.remaining()) return RunRefusal::Cut;
  read.rulesRevision = static_cast<uint32_t>(*rules);
  read.day = static_cast<int32_t>(*day);
  read.level = static_cast<int32_t>(*level);
  read.timeMode = static_cast<TimeMode>(*mode);
  read.actions.reserve(static_cast<size_t>(*count));
  uint64_t tick = 0;
  for (uint64_t i = 0; i < *count; ++i) {
    const auto packed = reader.number(UINT64_MAX >> 1);
    if (!packed) return reader.cut ? RunRefusal::Cut : RunRefusal::Damaged;
    tick += *packed >> KindBits;
    const auto kind = static_cast<uint8_t>(*packed & ((1u << KindBits) - 1));
    if (tick > UINT32_MAX || kind >= ActionKindCount) return RunRefusal::Damaged;
    read.actions.push_back(RunAction{static_cast<uint32_t>(tick), static_cast<ActionKind>(kind)});
  }
  if (reader.remaining() < ChecksumBytes) return RunRefusal::Cut;
  if (reader.remaining() > ChecksumBytes) return RunRefusal::Damaged;
  const size_t body = bytes.size() - ChecksumBytes;
  uint32_t stored = 0;
  for (size_t i = 0; i < ChecksumBytes; ++i) stored |= static_cast<uint32_t>(bytes[body + i]) << (8 * i);
  if (stored != crc32(bytes, body)) return RunRefusal::ForgedChecksum;
  if (spelling == Base64Result::StrayBits) return RunRefusal::Damaged;
  run = std::move(read);
  return RunRefusal::Accepted;
}

}  // namespace runs
