// What the process brings with it, in this system's form: the command line as
// UTF-8 texts, the program's name, and standard streams ready for the game's
// output (on Windows: bytes as they are, and a console reached when the game
// was started from one).
#pragma once

#include <string>
#include <vector>

// Sets up the standard streams; call once before anything is written.
void prepareStandardStreams();

// The command line's arguments as UTF-8, the program's path first.
std::vector<std::string> processArguments(int argc, char** argv);

// The name the program is known by, from its path ("quandrel").
std::string programNameOf(const std::string& path);
