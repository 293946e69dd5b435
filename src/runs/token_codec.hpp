// The pieces both token kinds are made of: LEB128 numbers, the action list,
// a CRC-32, and base64url without padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runs/run.hpp"
#include "runs/run_token.hpp"

namespace runs::codec {

inline constexpr size_t ChecksumBytes = 4;

// CRC-32 of `tag` then the first `length` bytes. Each token kind has its own
// tag, so the body of one kind never passes for the other.
uint32_t checksum(std::string_view tag, const std::vector<uint8_t>& bytes, size_t length);
void putNumber(std::vector<uint8_t>& bytes, uint64_t value);
// The actions' count, then each as (tick delta << 3 | kind).
void putActions(std::vector<uint8_t>& bytes, const std::vector<RunAction>& actions);
// Appends the checksum (with `tag`) and spells the whole as `prefix` then base64url.
std::string finish(std::string_view prefix, std::string_view tag, std::vector<uint8_t>& bytes);

// Nothing for a character outside the alphabet. A length that leaves a single
// character over cannot come from whole bytes: the text was cut.
enum class Base64Result { Decoded, StrayBits, BadCharacter, Cut };
Base64Result fromBase64Url(std::string_view text, std::vector<uint8_t>& bytes);

// Reads the bytes of a token in order; a read past the end marks it cut, a
// number no token can hold marks it damaged.
class ByteReader {
 public:
  ByteReader(const std::vector<uint8_t>& bytes, size_t end) : bytes_(bytes), end_(end) {}

  std::optional<uint64_t> number(uint64_t maximum);
  size_t remaining() const { return end_ - at_; }
  bool failed() const { return cut || damaged; }
  // Cut or Damaged, for a reader that failed.
  RunRefusal failure() const { return cut ? RunRefusal::Cut : RunRefusal::Damaged; }

  bool cut = false;
  bool damaged = false;

 private:
  const std::vector<uint8_t>& bytes_;
  size_t end_;
  size_t at_ = 0;
};

// Reads the action list into `actions`; Accepted when it was whole.
RunRefusal readActions(ByteReader& reader, std::vector<RunAction>& actions);

// A token's text behind `prefix` decoded into its bytes (NotARun or Cut
// when it cannot be).
struct Opened {
  RunRefusal refusal = RunRefusal::Accepted;
  std::vector<uint8_t> bytes;
  bool strayBits = false;
};
Opened open(std::string_view token, std::string_view prefix);
// Once the body is read: every byte up to the checksum used, and the
// checksum (with `tag`) matching.
RunRefusal close(const Opened& opened, const ByteReader& reader, std::string_view tag);

}  // namespace runs::codec
