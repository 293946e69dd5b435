// A second program for the instance-lock tests: takes the lock named by its argument,
// prints the result as a number and keeps running until its standard input closes.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/services/instance_lock.hpp"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::u16string name;
  for (const char* c = argv[1]; *c != '\0'; ++c) name.push_back(static_cast<char16_t>(*c));
  std::printf("%d\n", static_cast<int>(services::acquireInstanceLock(name)));
  std::fflush(stdout);
  char byte;
  while (read(STDIN_FILENO, &byte, 1) > 0) {
  }
  return 0;
}
