// Parsing of the command-line options.
#include "platform/entry/command_line.hpp"

#include <charconv>

#include "platform/language/language.hpp"

namespace {

constexpr int MaxScale = 8;

bool parseScale(std::string_view text, int32_t& scale) {
  const char* end = text.data() + text.size();
  auto [stop, failure] = std::from_chars(text.data(), end, scale);
  return failure == std::errc() && stop == end && scale >= 1 && scale <= MaxScale;
}

// The languages the program can show, e.g. "en, zh".
std::string languageList(std::string_view separator) {
  std::string list;
  for (const std::string& language : knownLanguages()) {
    if (!list.empty()) list += separator;
    list += language;
  }
  return list;
}

CommandLine failure(std::string message) {
  CommandLine line;
  line.action = CommandLine::Action::Error;
  line.error = std::move(message);
  return line;
}

}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  bool scriptGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    const bool hasValue = i + 1 < argc;
    if (option == "--help" || option == "-h") {
      line.action = CommandLine::Action::Help;
      return line;
    }
    if (option == "--version") {
      line.action = CommandLine::Action::Version;
      return line;
    }
    if (option == "--records") {
      line.action = CommandLine::Action::Records;
      return line;
    }
    if (option == "--verify") {
      if (!hasValue) return failure("--verify needs a run or a board: a token, a file or - for standard input");
      line.action = CommandLine::Action::Verify;
      line.runSource = argv[i + 1];
      return line;
    }
    if (option == "--headless") {
      line.headless = true;
    } else if (option == "--script") {
      if (!hasValue) return failure("--script needs a file name");
      line.scriptPath = argv[++i];
      scriptGiven = true;
    } else if (option == "--record" || option == "--replay" || option == "--dump-at-exit") {
      if (!hasValue) return failure(std::string(option) + " needs a file name");
      std::string& path = option == "--record"   ? line.recordPath
                          : option == "--replay" ? line.replayPath
                                                 : line.dumpAtExitPath;
      path = argv[++i];
    } else if (option == "--watch") {
      if (!hasValue) return failure("--watch needs a run token or link");
      line.watchRun = argv[++i];
    } else if (option == "--board") {
      if (!hasValue) return failure("--board needs a board token or link");
      line.boardToOpen = argv[++i];
    } else if (option == "--animate") {
      line.animate = true;
    } else if (option == "--fullscreen") {
      line.window.fullscreen = true;
    } else if (option == "--scale") {
      if (!hasValue || !parseScale(argv[i + 1], line.window.scale))
        return failure("--scale needs a whole number from 1 to " + std::to_string(MaxScale));
      ++i;
    } else if (option == "--lang") {
      if (!hasValue || !isKnownLanguage(argv[i + 1])) {
        const std::string known = languageList(", ");
        return failure(hasValue ? "unknown language '" + std::string(argv[i + 1]) + "' for --lang (known: " + known + ")"
                                : "--lang needs a language (" + known + ")");
      }
      line.language = argv[++i];
    } else if (option == "--no-focus-pause") {
      line.window.focusPause = false;
    } else {
      return failure("unknown option '" + std::string(option) + "'");
    }
  }
  if (scriptGiven && !line.headless) return failure("--script needs --headless");
  if (!line.watchRun.empty() && !line.boardToOpen.empty())
    return failure("--watch and --board each open a screen of their own; give one");
  if (!line.replayPath.empty() && line.headless)
    return failure("--replay shows a window; replay without one with --headless --script");
  return line;
}

std::string usageText(std::string_view program) {
  const std::string name(program);
  return "Usage:\n"
         "  " + name + "                      play in a window\n"
         "  " + name + " --headless [--script FILE]\n"
         "                                run without a window; commands from FILE,\n"
         "                                or from standard input without --script\n"
         "  " + name + " --replay FILE        replay a recorded session in a window\n"
         "  " + name + " --records            print the best result of each level\n"
         "  " + name + " --verify RUN         prove a shared run or board (a token or link, a\n"
         "                                FILE, or - for standard input) and print its\n"
         "                                result as JSON\n"
         "  " + name + " --watch RUN          open the game on a shared run and play it back\n"
         "  " + name + " --board BOARD        open the game on a shared board, proven, to play\n"
         "                                it (with --headless: waiting for commands)\n"
         "  " + name + " --help | --version\n"
         "\n"
         "Options:\n"
         "  --animate         fade the window in at start-up\n"
         "  --fullscreen      start in desktop full screen (F11 or Alt+Return toggle)\n"
         "  --scale N         start with the window N times 480 x 720 (1.." + std::to_string(MaxScale) + ")\n"
         "  --no-focus-pause  keep the game's time running while the window is not focused\n"
         "  --lang LANGUAGE   show the game in LANGUAGE (" + languageList(" or ") + "); by default\n"
         "                    the language of LANGUAGE, LC_ALL, LC_MESSAGES or LANG\n"
         "  --record FILE     write the session's input to FILE as a headless script\n"
         "  --dump-at-exit FILE  write the final state to FILE as one line of JSON\n"
         "\n"
         "Headless commands, one per line (# starts a comment):\n"
         "  wait MS | down X Y | move X Y | up X Y | tap X Y | key NAME | pad BUTTON\n"
         "  command ID [ARG] | answer yes|no | silent on|off | focus out|in\n"
         "  screenshot PATH | dump | quit\n";
}
