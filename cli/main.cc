#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/tandrel_main.h"

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv, argv + argc);
#ifdef _WIN32
  // The arguments as typed, in UTF-8 as on Linux: main's own are in the ANSI code page, which cannot hold
  // every path.
  int count = 0;
  if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    arguments.clear();
    for (int i = 0; i < count; ++i) {
      const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
      std::string argument(static_cast<std::size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
      WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), bytes, nullptr, nullptr);
      arguments.push_back(std::move(argument));
    }
    LocalFree(wide);
  }
  // The language server's headers end in CR LF, and its lengths count bytes: no translation of line breaks.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::vector<const char*> pointers;
  for (const auto& argument : arguments) pointers.push_back(argument.c_str());
  const bool colour = isatty(fileno(stdout)) != 0 && std::getenv("NO_COLOR") == nullptr;
  // The language server reads and writes whole messages: no need to keep C's streams in step.
  std::ios::sync_with_stdio(false);
  return tandrel::cli::TandrelMain(static_cast<int>(pointers.size()), pointers.data(), std::cin, std::cout,
                                   std::cerr, colour);
}
