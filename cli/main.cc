#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "cli/tandrel_main.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // The language server's headers end in CR LF, and its lengths count bytes: no translation of line breaks.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  const bool colour = isatty(fileno(stdout)) != 0 && std::getenv("NO_COLOR") == nullptr;
  // The language server reads and writes whole messages: no need to keep C's streams in step.
  std::ios::sync_with_stdio(false);
  return tandrel::cli::TandrelMain(argc, argv, std::cin, std::cout, std::cerr, colour);
}
