// The made board and the received boards' records as the sections of a progress file.
#include "progress/boards_file.hpp"

#include <charconv>
#include <limits>

#include "rules/colour_state.hpp"
#include "runs/board_token.hpp"

namespace {

constexpr const char* BoardsFileName = "quandrel-boards.ini";
constexpr std::string_view MadeSection = "made";
constexpr std::string_view BoardPrefix = "board.";
constexpr size_t BoardIdLength = 8;

using Section = progress::ProgressDocument::Section;

std::string tubesText(const Board& board) {
  std::string text;
  for (const int32_t tube : board.tubes) {
    if (!text.empty()) text += ',';
    text += std::to_string(tube);
  }
  return text;
}

bool readTubes(std::string_view text, Board& board) {
  for (size_t slot = 0; slot < board.tubes.size(); ++slot) {
    const size_t comma = text.find(',');
    const bool last = slot + 1 == board.tubes.size();
    if (last != (comma == std::string_view::npos)) return false;
    const std::string_view number = text.substr(0, comma);
    const auto [stop, failure] = std::from_chars(number.data(), number.data() + number.size(), board.tubes[slot]);
    if (failure != std::errc() || stop != number.data() + number.size()) return false;
    text = last ? std::string_view() : text.substr(comma + 1);
  }
  return true;
}

bool madeFromSection(const Section& section, runs::MadeBoard& made) {
  Board& board = made.board;
  const std::string* tubes = progress::valueIn(section, "tubes");
  if (tubes == nullptr || !readTubes(*tubes, board) ||
      !progress::numberIn(section, "targetScore", MinBoardScore, MaxBoardScore, board.targetScore) ||
      !progress::switchIn(section, "mixedKey", board.asksMixedKey) ||
      !progress::numberIn(section, "seed", uint32_t{0}, std::numeric_limits<uint32_t>::max(), board.seed) ||
      !boardIsValid(board))
    return false;
  const std::string* clear = progress::valueIn(section, "clear");
  if (clear == nullptr) return true;
  runs::Run run;
  return runs::decodeBoardToken(*clear, run) == runs::RunRefusal::Accepted && runs::keepClear(made, run) &&
         made.clearToken == *clear;
}

bool isBoardId(std::string_view id) {
  return id.size() == BoardIdLength && id.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

bool recordFromSection(const Section& section, runs::BoardRecord& record) {
  record.id = section.name.substr(BoardPrefix.size());
  if (!isBoardId(record.id) || !progress::switchIn(section, "tried", record.tried) ||
      !progress::switchIn(section, "cleared", record.cleared))
    return false;
  if (!record.cleared) return true;
  return progress::numberIn(section, "bestScore", std::numeric_limits<int32_t>::min(),
                            std::numeric_limits<int32_t>::max(), record.bestScore) &&
         progress::numberIn(section, "stars", int32_t{0}, int32_t{3}, record.stars);
}

}  // namespace

std::string boardsFilePath(const std::string& settingsPath) {
  return progress::progressFilePath(settingsPath, BoardsFileName);
}

progress::ReadResult readBoards(const std::string& path, BoardShelf& shelf) {
  progress::ProgressDocument document;
  const progress::ReadResult result = progress::readProgressFile(path, BoardsFormatVersion, document);
  if (result != progress::ReadResult::Read) return result;
  BoardShelf read;
  for (const Section& section : document.sections) {
    if (section.name == MadeSection) {
      runs::MadeBoard made;
      if (!madeFromSection(section, made)) return progress::ReadResult::Damaged;
      read.made = made;
    } else if (section.name.starts_with(BoardPrefix)) {
      runs::BoardRecord record;
      if (!recordFromSection(section, record)) return progress::ReadResult::Damaged;
      read.received.records.push_back(record);
    }
  }
  auto& records = read.received.records;
  if (records.size() > runs::BoardRecords::Kept) records.erase(records.begin(), records.end() - runs::BoardRecords::Kept);
  shelf = read;
  return result;
}

BoardShelf loadBoards(const std::string& path) {
  BoardShelf shelf;
  const progress::ReadResult result = readBoards(path, shelf);
  if (result != progress::ReadResult::Read && result != progress::ReadResult::Missing)
    progress::setAsideProgressFile(path, result, "boards");
  return shelf;
}

bool saveBoards(const std::string& path, const BoardShelf& shelf) {
  progress::ProgressDocument document;
  if (shelf.made) {
    const Board& board = shelf.made->board;
    const std::string section(MadeSection);
    document.set(section, "tubes", tubesText(board));
    document.set(section, "targetScore", std::to_string(board.targetScore));
    document.set(section, "mixedKey", board.asksMixedKey ? "1" : "0");
    document.set(section, "seed", std::to_string(board.seed));
    if (shelf.made->cleared()) document.set(section, "clear", shelf.made->clearToken);
  }
  for (const runs::BoardRecord& record : shelf.received.records) {
    const std::string section = std::string(BoardPrefix) + record.id;
    document.set(section, "tried", record.tried ? "1" : "0");
    document.set(section, "cleared", record.cleared ? "1" : "0");
    if (!record.cleared) continue;
    document.set(section, "bestScore", std::to_string(record.bestScore));
    document.set(section, "stars", std::to_string(record.stars));
  }
  return progress::saveProgressFile(path, document, BoardsFormatVersion);
}
