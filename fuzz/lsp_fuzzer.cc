// The language server on any bytes as its input stream: it may refuse what it reads, but only with the
// protocol's error answers, each a framed JSON message, and it must end when the input ends.
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "cli/lsp/framing.h"
#include "cli/lsp/server.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream out;
  tandrel::cli::lsp::ServeLanguage(in, out);
  std::istringstream answers(out.str());
  while (const auto answer = tandrel::cli::lsp::ReadMessage(answers)) {
    if (!nlohmann::json::accept(*answer)) {
      std::fprintf(stderr, "finding: an answer that is not JSON: %s\n", answer->c_str());
      std::abort();
    }
  }
  return 0;
}
