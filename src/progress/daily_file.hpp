// The daily file "quandrel-daily.ini", beside the settings file: one section
// per day an attempt was started on ("[day8]"), with the official result and
// run and what became of its post to the leaderboard, and the player as the
// leaderboard knows them ("[player]"). Written through the progress-file writer.
#pragma once

#include <string>

#include "progress/progress_file.hpp"
#include "runs/daily_history.hpp"

constexpr int DailyFormatVersion = 1;

// The daily file in the folder of the settings file at settingsPath.
std::string dailyFilePath(const std::string& settingsPath);
// Reads without changing anything on disk; `history` is set only on Read.
progress::ReadResult readDailyHistory(const std::string& path, runs::DailyHistory& history);
// The history of the file, or an empty one; a file that cannot be used is set aside.
runs::DailyHistory loadDailyHistory(const std::string& path);
bool saveDailyHistory(const std::string& path, const runs::DailyHistory& history);
