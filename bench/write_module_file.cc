// Writes the generated module as the IDE saves a standard module, for timing the command line on a file:
//   tandrel_write_module_file LINES PATH
// The file holds the module's VB_Name attribute and then LINES code lines, CR LF after each, in plain ASCII.

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string_view>

#include "bench/generated_module.h"

int main(int argc, char** argv) {
  std::int32_t lines = 0;
  const std::string_view count = argc == 3 ? argv[1] : "";
  const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), lines);
  if (argc != 3 || error != std::errc() || end != count.data() + count.size() || lines < 4 ||
      lines > tandrel::bench::kMaxModuleLines) {
    std::fprintf(stderr, "usage: %s LINES PATH (LINES from 4 to %d)\n", argv[0],
                 tandrel::bench::kMaxModuleLines);
    return 2;
  }
  std::ofstream file(argv[2], std::ios::binary);
  file << "Attribute VB_Name = \"Churn\"\r\n";
  for (const auto& line : tandrel::bench::GenerateModule(lines)) {
    // The generator writes ASCII only, so each unit is its own byte.
    for (char16_t unit : line) file.put(static_cast<char>(unit));
    file << "\r\n";
  }
  file.close();
  if (!file) {
    std::perror(argv[2]);
    return 1;
  }
  return 0;
}
