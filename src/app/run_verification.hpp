// quandrel --verify RUN: a shared run proven by replaying it, without a window.
#pragma once

#include <iosfwd>
#include <string>

// Reads the run `source` names (a token or a link holding one, "-" for `in`,
// else a file), replays it and writes one line of JSON to `out`; 0. A run that
// cannot be read or is refused gives "error: <why>" on `errors` and 1. Writes
// no file.
int verifyRunCommand(const std::string& source, std::istream& in, std::ostream& out, std::ostream& errors);
