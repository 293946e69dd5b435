// quandrel --verify: the run or board read from the command line, a file or
// standard input, proven through the game's own replay.
#include "app/run_verification.hpp"

#include <fstream>
#include <iostream>
#include <iterator>

#include "play/run_proof.hpp"
#include "runs/board_token.hpp"
#include "runs/run_token.hpp"

namespace {

// Reads at most one byte more than a token may have, so that a larger input
// is refused as too large without being read whole.
std::string readBounded(std::istream& in) {
  std::string text(runs::MaxTokenBytes + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<size_t>(in.gcount()));
  return text;
}

bool looksLikeRun(const std::string& source) {
  return source.find(runs::TokenPrefix) != std::string::npos || source.find("#run=") != std::string::npos;
}

bool looksLikeBoard(const std::string& source) {
  return source.find(runs::BoardTokenPrefix) != std::string::npos || source.find("#board=") != std::string::npos;
}

}  // namespace

int verifyRunCommand(const std::string& source, std::istream& in, std::ostream& out, std::ostream& errors) {
  std::string text;
  if (source == "-") {
    text = readBounded(in);
  } else if (looksLikeRun(source) || looksLikeBoard(source)) {
    text = source;
  } else {
    std::ifstream file(source, std::ios::binary);
    if (!file) {
      errors << "error: cannot read '" << source << "' (give a run token, a file or - for standard input)\n";
      return 1;
    }
    text = readBounded(file);
  }
  const bool board = looksLikeBoard(text);
  const RunVerdict verdict = board ? verifyBoardToken(text) : verifyRunToken(text);
  if (!verdict.accepted()) {
    errors << "error: " << runs::refusalText(verdict.refusal) << '\n';
    return 1;
  }
  out << (board ? boardResultJson(*verdict.run.board, verdict.result) : runResultJson(verdict.result)) << '\n';
  return 0;
}
