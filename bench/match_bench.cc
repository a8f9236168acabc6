// The partner search over the largest module the IDE holds, against the floor any search has to pay: reading
// every line through the same port.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "bench/generated_module.h"
#include "command/match_selection.h"
#include "engine/pair_table.h"
#include "sim/ide.h"
#include "sim/runtime.h"

namespace tandrel::bench {
namespace {

// One IDE holding the module, and everything the match command reads of the add-in, made once: a run of the
// command leaves nothing behind but the selection it sets.
class Fixture {
 public:
  Fixture() : runtime_({u"Tandrel", 2, 0, 0, u"Tandrel Software"}, ide_.Record()) {
    std::vector<std::u16string> lines = GenerateLargeModule();
    for (const auto& line : lines) characters_ += static_cast<std::int64_t>(line.size());
    pane_ = ide_.AddModule(std::move(lines));
    engine::FillPairTable(table_);
  }

  command::MatchContext Context() {
    return {ide_.Vbe(), table_, u"\"", u"'", u"About", u"bench@example", runtime_, command::kStandardRules};
  }
  sim::Pane& Pane() { return *pane_; }
  sim::Runtime& Runtime() { return runtime_; }
  // The module's text as UTF-16 bytes, line breaks not counted: what every benchmark here reports as
  // processed per iteration.
  std::int64_t Bytes() const { return characters_ * static_cast<std::int64_t>(sizeof(char16_t)); }
  std::int64_t Characters() const { return characters_; }

 private:
  sim::Ide ide_;
  std::shared_ptr<sim::Pane> pane_;
  sim::Runtime runtime_;
  engine::PairTable table_;
  std::int64_t characters_ = 0;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

std::string Shown(const ide::Selection& s) {
  return std::to_string(s.startLine) + ":" + std::to_string(s.startColumn) + "-" + std::to_string(s.endLine) +
         ":" + std::to_string(s.endColumn);
}

void RunMatch(benchmark::State& state, const ide::Selection& caret, const ide::Selection& expected) {
  Fixture& fixture = Shared();
  const command::MatchContext context = fixture.Context();
  for (auto _ : state) {
    fixture.Pane().Select(caret);
    fixture.Runtime().Clear();
    command::MatchSelection(context);
    const ide::Selection& selected = fixture.Pane().Selection();
    if (selected != expected || !fixture.Runtime().Messages().empty()) {
      state.SkipWithError(("selected " + Shown(selected) + " instead of " + Shown(expected)).c_str());
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * fixture.Bytes());
}

constexpr std::int32_t kEndIfEnd = kOuterIfColumn + 6;

void BM_MatchForward(benchmark::State& state) {
  RunMatch(state, {kOuterIfLine, kOuterIfColumn, kOuterIfLine, kOuterIfColumn},
           {kOuterIfLine, kOuterIfColumn, kOuterEndIfLine, kEndIfEnd});
}

void BM_MatchBackward(benchmark::State& state) {
  // The pane keeps the backward selection start first.
  RunMatch(state, {kOuterEndIfLine, kOuterIfColumn, kOuterEndIfLine, kOuterIfColumn},
           {kOuterIfLine, kOuterIfColumn, kOuterEndIfLine, kEndIfEnd});
}

std::int64_t CountQuotes(ide::CodeModule& module, std::int32_t line) {
  const std::u16string text = module.Lines(line, 1);
  return std::count(text.begin(), text.end(), u'"');
}

void BM_ReadEveryLine(benchmark::State& state) {
  Fixture& fixture = Shared();
  const std::shared_ptr<ide::CodeModule> module = fixture.Pane().CodeModule();
  for (auto _ : state) {
    std::int64_t quotes = 0;
    const std::int32_t count = module->CountOfLines();
    for (std::int32_t n = 1; n <= count; ++n) quotes += CountQuotes(*module, n);
    benchmark::DoNotOptimize(quotes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * fixture.Bytes());
}

// The same floor for a backward search, which meets the lines in the opposite order of memory.
void BM_ReadEveryLineBackward(benchmark::State& state) {
  Fixture& fixture = Shared();
  const std::shared_ptr<ide::CodeModule> module = fixture.Pane().CodeModule();
  for (auto _ : state) {
    std::int64_t quotes = 0;
    for (std::int32_t n = module->CountOfLines(); n >= 1; --n) quotes += CountQuotes(*module, n);
    benchmark::DoNotOptimize(quotes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * fixture.Bytes());
}

BENCHMARK(BM_ReadEveryLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadEveryLineBackward)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchForward)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchBackward)->Unit(benchmark::kMillisecond);

// Shows the usual console table and keeps each benchmark's CPU time per iteration, so that the searches can
// be stated as multiples of the line-reading floor. CPU time, because wall time on a shared machine also
// counts whoever else ran meanwhile.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& reports) override {
    ConsoleReporter::ReportRuns(reports);
    for (const auto& run : reports) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      times_[run.run_name.function_name] = run.GetAdjustedCPUTime();
    }
  }

  void PrintRatios(const char* baseline) const {
    const auto floor = times_.find(baseline);
    if (floor == times_.end() || floor->second <= 0) return;
    for (const auto& [name, time] : times_) {
      if (name != baseline) std::printf("%-26s %6.2fx %s\n", name.c_str(), time / floor->second, baseline);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace
}  // namespace tandrel::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const auto& fixture = tandrel::bench::Shared();
  benchmark::AddCustomContext("module", std::to_string(tandrel::bench::kMaxModuleLines) + " lines, " +
                                            std::to_string(fixture.Characters()) + " characters");
  benchmark::AddCustomContext("bytes", "UTF-16 bytes of the module's lines, 2 per character");
  tandrel::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios("BM_ReadEveryLine");
  benchmark::Shutdown();
  return 0;
}
