// The language server on the benchmark's generated module, in process: the document opened once, then
// highlights at 1,000 random positions (median and 99th percentile), an edit of one line followed by a
// highlight, and the folding ranges of the whole module at 1,000 to 65,534 lines. Beside them: `tandrel
// match`, the whole process, at 50 of the same positions, and the peak memory with the largest module open.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "bench/generated_module.h"
#include "cli/lsp/server.h"
#include "ide/utf8_text.h"

extern char** environ;

namespace tandrel::bench {
namespace {

using nlohmann::json;

struct Caret {
  int line;
  int character;
};

std::string ModuleText(std::int32_t lines) {
  std::u16string text;
  const auto module = lines == kMaxModuleLines ? GenerateLargeModule() : GenerateModule(lines);
  for (const auto& line : module) text.append(line).append(u"\r\n");
  return ide::ToUtf8(text);
}

std::string Request(const char* method, json params) {
  return json{{"jsonrpc", "2.0"}, {"id", 1}, {"method", method}, {"params", std::move(params)}}.dump();
}

json At(Caret caret) {
  return {{"textDocument", {{"uri", "file:///Module.bas"}}},
          {"position", {{"line", caret.line}, {"character", caret.character}}}};
}

// A server with the module of `lines` lines open.
cli::lsp::LanguageServer& Server(std::int32_t lines) {
  static std::map<std::int32_t, cli::lsp::LanguageServer> servers;
  auto [server, added] = servers.try_emplace(lines);
  if (added) {
    server->second.Handle(Request("initialize", json::object()));
    server->second.Handle(json{
        {"jsonrpc", "2.0"},
        {"method", "textDocument/didOpen"},
        {"params",
         {{"textDocument", {{"uri", "file:///Module.bas"}, {"version", 1}, {"text", ModuleText(lines)}}}}}}
                              .dump());
  }
  return server->second;
}

// 1,000 places on the largest module, the same on every run, each on a character of its line.
std::vector<Caret> RandomCarets() {
  const auto module = GenerateLargeModule();
  std::mt19937 random(7);
  std::vector<Caret> carets;
  while (carets.size() < 1000) {
    const int line = static_cast<int>(random() % module.size());
    if (module[static_cast<std::size_t>(line)].empty()) continue;
    carets.push_back({line, static_cast<int>(random() % module[static_cast<std::size_t>(line)].size())});
  }
  return carets;
}

double Percentile(std::vector<double> values, double at) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(at * static_cast<double>(values.size() - 1))];
}

void BM_HighlightAtRandomPositions(benchmark::State& state) {
  cli::lsp::LanguageServer& server = Server(kMaxModuleLines);
  const std::vector<Caret> carets = RandomCarets();
  std::vector<double> milliseconds;
  for (auto _ : state) {
    for (const Caret& caret : carets) {
      const auto start = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(server.Handle(Request("textDocument/documentHighlight", At(caret))));
      milliseconds.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
  }
  state.counters["median_ms"] = Percentile(milliseconds, 0.5);
  state.counters["p99_ms"] = Percentile(milliseconds, 0.99);
  state.counters["max_ms"] = Percentile(milliseconds, 1.0);
  // This runs first: the largest module is the only document open so far.
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A character typed on the outer If's line and taken back, each followed by a highlight: of that If, the
// worst case (argument 1), or where there is no token (argument 0: the cost of the edit itself).
void BM_EditOneLineThenHighlight(benchmark::State& state) {
  cli::lsp::LanguageServer& server = Server(kMaxModuleLines);
  const auto edit = [&server](int from, int to, const char* text) {
    server.Handle(json{{"jsonrpc", "2.0"},
                       {"method", "textDocument/didChange"},
                       {"params",
                        {{"textDocument", {{"uri", "file:///Module.bas"}, {"version", 2}}},
                         {"contentChanges",
                          {{{"range",
                             {{"start", {{"line", kOuterIfLine - 1}, {"character", from}}},
                              {"end", {{"line", kOuterIfLine - 1}, {"character", to}}}}},
                            {"text", text}}}}}}}
                      .dump());
  };
  const Caret caret =
      state.range(0) == 1 ? Caret{kOuterIfLine - 1, kOuterIfColumn - 1} : Caret{kOuterIfLine - 1, 0};
  const std::string highlight = Request("textDocument/documentHighlight", At(caret));
  for (auto _ : state) {
    edit(0, 0, " ");
    benchmark::DoNotOptimize(server.Handle(highlight));
    edit(0, 1, "");
    benchmark::DoNotOptimize(server.Handle(highlight));
  }
  state.SetItemsProcessed(2 * static_cast<std::int64_t>(state.iterations()));
}

// Every block of the module; a change of nothing makes the server find them again.
void BM_FoldingRanges(benchmark::State& state) {
  const auto lines = static_cast<std::int32_t>(state.range(0));
  cli::lsp::LanguageServer& server = Server(lines);
  const std::string unchanged = json{
      {"jsonrpc", "2.0"},
      {"method", "textDocument/didChange"},
      {"params",
       {{"textDocument", {{"uri", "file:///Module.bas"}, {"version", 2}}},
        {"contentChanges",
         {{{"range", {{"start", {{"line", 0}, {"character", 0}}}, {"end", {{"line", 0}, {"character", 0}}}}},
           {"text", ""}}}}}}}.dump();
  const std::string folds =
      Request("textDocument/foldingRange", {{"textDocument", {{"uri", "file:///Module.bas"}}}});
  for (auto _ : state) {
    server.Handle(unchanged);
    benchmark::DoNotOptimize(server.Handle(folds));
  }
}

// `tandrel match --lines file` on the module's file at the first 50 of the random positions: a process each.
void BM_WholeProcessMatch(benchmark::State& state) {
  const std::string path = "/tmp/tandrel_lsp_bench.bas";
  std::ofstream(path, std::ios::binary) << ModuleText(kMaxModuleLines);
  const std::vector<Caret> carets = RandomCarets();
  std::vector<double> milliseconds;
  for (auto _ : state) {
    for (std::size_t i = 0; i < 50; ++i) {
      const std::string at =
          std::to_string(carets[i].line + 1) + ":" + std::to_string(carets[i].character + 1);
      const char* argv[] = {TANDREL_EXE, "match",    path.c_str(), "--lines", "file",
                            "--at",      at.c_str(), "--json",     nullptr};
      posix_spawn_file_actions_t actions;
      posix_spawn_file_actions_init(&actions);
      posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
      const auto start = std::chrono::steady_clock::now();
      pid_t child = 0;
      posix_spawn(&child, TANDREL_EXE, &actions, nullptr, const_cast<char* const*>(argv), environ);
      int status = 0;
      waitpid(child, &status, 0);
      milliseconds.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
      posix_spawn_file_actions_destroy(&actions);
    }
  }
  std::remove(path.c_str());
  state.counters["median_ms"] = Percentile(milliseconds, 0.5);
  state.counters["p99_ms"] = Percentile(milliseconds, 0.99);
}

BENCHMARK(BM_HighlightAtRandomPositions)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_WholeProcessMatch)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_EditOneLineThenHighlight)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1);
BENCHMARK(BM_FoldingRanges)
    ->Unit(benchmark::kMillisecond)
    ->Arg(1000)
    ->Arg(8000)
    ->Arg(16000)
    ->Arg(32000)
    ->Arg(kMaxModuleLines);

}  // namespace
}  // namespace tandrel::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
