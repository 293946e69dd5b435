// quandrel --records: the player's records as a table, without a window.
#pragma once

#include <iosfwd>

// Reads the records file beside the settings file of this copy of the game and
// writes one line per level to `out`; creates and changes no file or folder.
// 0, or 1 with the reason on `errors` when the file is there but cannot be used.
int listRecords(std::ostream& out, std::ostream& errors);
