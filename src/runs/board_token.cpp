// The board token: version, rules revision, the ten tubes, the target score
// in steps, the key rule, the seed, then the run's time mode and actions, as
// LEB128 numbers behind a CRC-32 tagged with the prefix, in base64url.
#include "runs/board_token.hpp"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "rules/colour_state.hpp"
#include "runs/token_codec.hpp"
#include "text/trimmed.hpp"

namespace runs {
namespace {

constexpr std::string_view BoardLinkMarker = "#board=";
// The checksum starts from the prefix: a board's body under a run's prefix,
// or the reverse, fails its checksum.
constexpr std::string_view BoardTag = BoardTokenPrefix;

void putBoard(std::vector<uint8_t>& bytes, const Board& board) {
  for (const int32_t tube : board.tubes) codec::putNumber(bytes, static_cast<uint32_t>(tube));
  codec::putNumber(bytes, static_cast<uint32_t>(board.targetScore / BoardScoreStep));
  codec::putNumber(bytes, board.asksMixedKey ? 1 : 0);
  codec::putNumber(bytes, board.seed);
}

}  // namespace

std::string encodeBoardToken(const Run& run) {
  std::vector<uint8_t> bytes;
  codec::putNumber(bytes, BoardFormatVersion);
  codec::putNumber(bytes, run.rulesRevision);
  putBoard(bytes, run.board.value_or(Board{}));
  codec::putNumber(bytes, static_cast<uint8_t>(run.timeMode));
  codec::putActions(bytes, run.actions);
  return codec::finish(BoardTokenPrefix, BoardTag, bytes);
}

std::string_view boardTokenFromLink(std::string_view text) {
  text = trimmed(text);
  const size_t marker = text.find(BoardLinkMarker);
  if (marker != std::string_view::npos) {
    text = text.substr(marker + BoardLinkMarker.size());
  } else if (const size_t token = text.find(BoardTokenPrefix); token != std::string_view::npos) {
    text = text.substr(token);
  }
  const size_t end = text.find_first_of("&# \t\r\n");
  return end == std::string_view::npos ? text : text.substr(0, end);
}

RunRefusal decodeBoardToken(std::string_view text, Run& run) {
  if (text.size() > MaxTokenBytes) return RunRefusal::TooLarge;
  const codec::Opened opened = codec::open(boardTokenFromLink(text), BoardTokenPrefix);
  if (opened.refusal != RunRefusal::Accepted) return opened.refusal;

  codec::ByteReader reader(opened.bytes, opened.bytes.size());
  const auto version = reader.number(UINT32_MAX);
  if (!version) return reader.failure();
  if (*version > BoardFormatVersion) return RunRefusal::Newer;
  if (*version == 0) return RunRefusal::Damaged;
  const auto rules = reader.number(UINT32_MAX);
  if (rules && *rules > RulesRevision) return RunRefusal::Newer;

  Board board;
  for (int32_t& tube : board.tubes) tube = static_cast<int32_t>(reader.number(TargetSpoiled).value_or(0));
  const auto scoreSteps = reader.number(MaxBoardScore / BoardScoreStep);
  const auto asksMixedKey = reader.number(1);
  const auto seed = reader.number(UINT32_MAX);
  const auto mode = reader.number(UINT8_MAX);
  if (reader.failed()) return reader.failure();
  board.targetScore = static_cast<int32_t>(*scoreSteps) * BoardScoreStep;
  board.asksMixedKey = *asksMixedKey == 1;
  board.seed = static_cast<uint32_t>(*seed);
  if (*rules != RulesRevision || !boardIsValid(board) || *mode >= TimeModeCount) return RunRefusal::Damaged;

  Run read;
  read.formatVersion = static_cast<uint32_t>(*version);
  read.rulesRevision = static_cast<uint32_t>(*rules);
  read.board = board;
  read.timeMode = static_cast<TimeMode>(*mode);
  if (const RunRefusal actions = codec::readActions(reader, read.actions); actions != RunRefusal::Accepted)
    return actions;
  if (const RunRefusal closed = codec::close(opened, reader, BoardTag); closed != RunRefusal::Accepted)
    return closed;
  run = std::move(read);
  return RunRefusal::Accepted;
}

std::string boardId(const Board& board) {
  std::vector<uint8_t> bytes;
  putBoard(bytes, board);
  char id[9];
  std::snprintf(id, sizeof id, "%08x", codec::checksum(BoardTag, bytes, bytes.size()));
  return id;
}

}  // namespace runs
