// The run token: the run's fields and actions as LEB128 numbers, a CRC-32 of
// everything before it, all in base64url without padding.
#include "runs/run_token.hpp"

#include <cstdint>
#include <vector>

#include "rules/level_table.hpp"
#include "runs/token_codec.hpp"
#include "text/trimmed.hpp"

namespace runs {
namespace {

constexpr std::string_view LinkMarker = "#run=";
// Run tokens came first: their checksum has no tag.
constexpr std::string_view RunTokenTag = "";

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
    case RunRefusal::Unproven: return "unproven";
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
    case RunRefusal::Unproven: return "the board's maker did not clear it";
  }
  return "the run is damaged";
}

std::string encodeRunToken(const Run& run) {
  std::vector<uint8_t> bytes;
  codec::putNumber(bytes, run.formatVersion);
  codec::putNumber(bytes, run.rulesRevision);
  codec::putNumber(bytes, static_cast<uint32_t>(run.day));
  codec::putNumber(bytes, static_cast<uint32_t>(run.level));
  codec::putNumber(bytes, static_cast<uint8_t>(run.timeMode));
  codec::putActions(bytes, run.actions);
  return codec::finish(TokenPrefix, RunTokenTag, bytes);
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
  const codec::Opened opened = codec::open(tokenFromLink(text), TokenPrefix);
  if (opened.refusal != RunRefusal::Accepted) return opened.refusal;

  // The version first: a newer layout may differ in everything after it.
  codec::ByteReader reader(opened.bytes, opened.bytes.size());
  const auto version = reader.number(UINT32_MAX);
  if (!version) return reader.failure();
  if (*version > RunFormatVersion) return RunRefusal::Newer;
  if (*version == 0) return RunRefusal::Damaged;
  const auto rules = reader.number(UINT32_MAX);
  if (rules && *rules > RulesRevision) return RunRefusal::Newer;

  Run read;
  read.formatVersion = static_cast<uint32_t>(*version);
  const auto day = reader.number(INT32_MAX);
  const auto level = reader.number(UINT8_MAX);
  const auto mode = reader.number(UINT8_MAX);
  if (reader.failed()) return reader.failure();
  if (*rules != RulesRevision || *day < 1 || *level < FirstLevel || *level > LevelCount || *mode >= TimeModeCount)
    return RunRefusal::Damaged;
  read.rulesRevision = static_cast<uint32_t>(*rules);
  read.day = static_cast<int32_t>(*day);
  read.level = static_cast<int32_t>(*level);
  read.timeMode = static_cast<TimeMode>(*mode);
  if (const RunRefusal actions = codec::readActions(reader, read.actions); actions != RunRefusal::Accepted)
    return actions;
  if (const RunRefusal closed = codec::close(opened, reader, RunTokenTag); closed != RunRefusal::Accepted) return closed;
  run = std::move(read);
  return RunRefusal::Accepted;
}

}  // namespace runs
