#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "cli/tandrel_main.h"

int main(int argc, char** argv) {
  const bool colour = isatty(STDOUT_FILENO) != 0 && std::getenv("NO_COLOR") == nullptr;
  // The language server reads and writes whole messages: no need to keep C's streams in step.
  std::ios::sync_with_stdio(false);
  return tandrel::cli::TandrelMain(argc, argv, std::cin, std::cout, std::cerr, colour);
}
