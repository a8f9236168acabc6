#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "cli/tandrel_main.h"

int main(int argc, char** argv) {
  const bool colour = isatty(STDOUT_FILENO) != 0 && std::getenv("NO_COLOR") == nullptr;
  return tandrel::cli::TandrelMain(argc, argv, std::cout, std::cerr, colour);
}
