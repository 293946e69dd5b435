// The boards file "quandrel-boards.ini", beside the settings file: the board
// being made ("[made]", with its maker's clear once cleared) and the records
// of the boards others shared ("[board.<id>]", the oldest first). Written
// through the progress-file writer.
#pragma once

#include <optional>
#include <string>

#include "progress/progress_file.hpp"
#include "runs/board_records.hpp"
#include "runs/made_board.hpp"

constexpr int BoardsFormatVersion = 1;

struct BoardShelf {
  std::optional<runs::MadeBoard> made;  // none until the maker first opens
  runs::BoardRecords received;
  bool operator==(const BoardShelf&) const = default;
};

// The boards file in the folder of the settings file at settingsPath.
std::string boardsFilePath(const std::string& settingsPath);
// Reads without changing anything on disk; `shelf` is set only on Read. A
// made board whose clear is not a token of that very board is damage.
progress::ReadResult readBoards(const std::string& path, BoardShelf& shelf);
// The file's boards, or none; a file that cannot be used is set aside.
BoardShelf loadBoards(const std::string& path);
bool saveBoards(const std::string& path, const BoardShelf& shelf);
