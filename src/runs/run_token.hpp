// A run as text: a compact binary form (each action one or two bytes), a
// CRC-32, base64url, behind the prefix "QRUN.". The reader takes nothing on
// trust and says why it refuses.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "runs/run.hpp"

namespace runs {

inline constexpr std::string_view TokenPrefix = "QRUN.";
// The longest token text the reader looks at.
inline constexpr size_t MaxTokenBytes = 64 * 1024;

// Why a token, or the run in it, was refused. Only grows; Accepted is 0.
enum class RunRefusal : uint8_t {
  Accepted,
  TooLarge,        // over MaxTokenBytes
  NotARun,         // no prefix, or characters outside base64url
  Cut,             // ends before the run does
  Damaged,         // a field that no run can hold
  ForgedChecksum,  // well formed, but the checksum does not match
  Newer,           // a newer format or rules revision than this game's
  ImpossibleMove,  // an action the game refused when replayed
  Unproven,        // a board whose maker's run does not clear it
};

// "too-large", "not-a-run", "cut", "damaged", "forged-checksum", "newer",
// "impossible-move", "unproven" ("" for Accepted): the words of the dump and
// --verify.
std::string_view refusalName(RunRefusal refusal);
// The refusal in plain English, for the command line.
std::string_view refusalText(RunRefusal refusal);

std::string encodeRunToken(const Run& run);
// Reads a token; surrounding white space is ignored. A link holding
// "#run=TOKEN", or a text with a token in it (a pasted share), gives its
// token. `run` is set only when Accepted.
RunRefusal decodeRunToken(std::string_view text, Run& run);
// The token in a link ("...#run=TOKEN") or a text ("... QRUN.xxx ..."), up to
// the next white space or '&' or '#'; else the text itself, trimmed.
std::string_view tokenFromLink(std::string_view text);

}  // namespace runs
