// Process entry of the quandrel executable.
#include <cstdio>
#include <cstring>

#include "app/version.hpp"

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("quandrel %s\n", quandrelVersion());
    return 0;
  }
  std::printf("Quandrel %s: the game window is not built yet.\n", quandrelVersion());
  return 0;
}
