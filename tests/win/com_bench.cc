// The worst-case jump through COM: Tandrel.dll connected to the served IDE, holding a module of 4 lines (what
// any click costs), of 2,000 lines, and the largest the IDE holds, clicked with the caret on the outer
// block's first or last word. Reports the time per jump beside the same jump in process (the match command on
// the in-memory IDE, in this same program), and the IDE calls the DLL made per 1,000 lines walked. Run under
// Wine:
//   tandrel_com_bench.exe Tandrel=<path of Tandrel.dll> [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/generated_module.h"
#include "command/match_selection.h"
#include "engine/pair_table.h"
#include "tests/win/deliverables.h"
#include "tests/win/host/com_host.h"
#include "tests/win/host/message_boxes.h"
#include "tests/win/server_steps.h"
#include "tests/win/test_arguments.h"
#include "win/port/win32_runtime.h"

namespace tandrel::win::testing {
namespace {

// A Connect object made straight from the DLL's class factory: no registration needed.
HRESULT CreateFromDll(const std::wstring& dll, ComPtr<IUnknown>& connect) {
  HMODULE module = LoadLibraryW(dll.c_str());
  if (!module) return HRESULT_FROM_WIN32(GetLastError());
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto getClassObject =
      reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  if (!getClassObject) return E_FAIL;
  CLSID clsid{};
  if (HRESULT result = CLSIDFromString(kVb6.clsid, &clsid); FAILED(result)) return result;
  ComPtr<IClassFactory> factory;
  if (HRESULT result =
          getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.GetAddressOf()));
      FAILED(result)) {
    return result;
  }
  return factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(connect.GetAddressOf()));
}

struct Jump {
  const char* name;
  ide::Selection caret;
  ide::Selection expected;
};

// The median of `runs` timings of `step`, after one untimed run (which pays for first lookups and caches).
template <typename Step>
double MedianSeconds(int runs, Step step) {
  std::vector<double> seconds;
  for (int run = 0; run <= runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    if (!step()) return -1;
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (run > 0) seconds.push_back(elapsed.count());
  }
  std::sort(seconds.begin(), seconds.end());
  return seconds[seconds.size() / 2];
}

// The jump in process: the VB6 build's match command on the in-memory IDE, with the same Win32 run-time
// services (the hourglass, the yield) as the DLL, so that only COM lies between the two figures.
double InProcessSeconds(const std::vector<std::u16string>& lines, const Jump& jump, int runs) {
  sim::Ide ide;
  const auto runtime = MakeWin32Runtime(GetModuleHandleW(nullptr), u"Tandrel", [] { return HWND{}; });
  const auto pane = ide.AddModule(lines);
  engine::PairTable table;
  engine::FillPairTable(table);
  const command::MatchContext context{
      ide.Vbe(), table, u"\"", u"'", u"About", u"bench@example", *runtime, command::kStandardRules};
  return MedianSeconds(runs, [&] {
    pane->Select(jump.caret);
    command::MatchSelection(context);
    return pane->Selection() == jump.expected;
  });
}

int Run(const std::wstring& dll, int runs) {
  host::MessageBoxWatcher boxes;
  host::ComHost host;
  ComPtr<IUnknown> connect;
  if (HRESULT result = CreateFromDll(dll, connect); FAILED(result)) {
    std::printf("creating the Connect object failed: 0x%08lX\n", static_cast<unsigned long>(result));
    return 1;
  }
  if (HRESULT result = ConnectAddin(kVb6, connect.Get(), host.Vbe().Get());
      FAILED(result) || !boxes.Take().empty()) {
    std::printf("connection failed: 0x%08lX\n", static_cast<unsigned long>(result));
    return 1;
  }
  const auto entry = host.Ide().FindBar(u"Code Window")->Added().back();
  for (const std::int32_t lineCount : {bench::kMinModuleLines, 2000, bench::kMaxModuleLines}) {
    const auto lines =
        lineCount == bench::kMaxModuleLines ? bench::GenerateLargeModule() : bench::GenerateModule(lineCount);
    auto pane = host.Ide().AddModule(lines);
    // The outer If opens on line 2 and its End If stands on the last line but one.
    const std::int32_t endIfLine = lineCount - 1;
    constexpr std::int32_t kEndIfEnd = bench::kOuterIfColumn + 6;
    const ide::Selection whole{bench::kOuterIfLine, bench::kOuterIfColumn, endIfLine, kEndIfEnd};
    const Jump jumps[] = {
        {"forward (If to End If)",
         {bench::kOuterIfLine, bench::kOuterIfColumn, bench::kOuterIfLine, bench::kOuterIfColumn},
         whole},
        // The pane keeps a backward selection start first.
        {"backward (End If to If)",
         {endIfLine, bench::kOuterIfColumn, endIfLine, bench::kOuterIfColumn},
         whole},
    };
    const int linesWalked = endIfLine - bench::kOuterIfLine + 1;
    std::printf("module: %d lines; lines walked per jump: %d\n", lineCount, linesWalked);
    for (const Jump& jump : jumps) {
      const double throughCom = MedianSeconds(runs, [&] {
        pane->Select(jump.caret);
        host.Stats().Clear();
        const auto outcomes = host.Click(entry);
        const auto shown = boxes.Take();
        if (outcomes.size() == 1 && SUCCEEDED(outcomes[0].result) && pane->Selection() == jump.expected &&
            shown.empty()) {
          return true;
        }
        const ide::Selection& s = pane->Selection();
        std::printf(
            "%s: the jump did not select its partner: %zu outcome(s), selection %d:%d-%d:%d, %zu box(es)\n",
            jump.name, outcomes.size(), s.startLine, s.startColumn, s.endLine, s.endColumn, shown.size());
        return false;
      });
      const double inProcess = InProcessSeconds(lines, jump, runs);
      if (throughCom < 0 || inProcess < 0) return 1;
      const auto& stats = host.Stats();
      std::printf(
          "%s: through COM %.4f s, in process %.4f s (%.1f times), median of %d runs; IDE calls %d (%.2f per "
          "1,000 lines walked)\n",
          jump.name, throughCom, inProcess, throughCom / inProcess, runs, stats.TotalInvokes(),
          1000.0 * stats.TotalInvokes() / linesWalked);
      for (const auto& [member, count] : stats.InvokesByMember()) {
        std::printf("  %-28ls %d\n", member.c_str(), count);
      }
    }
  }
  if (HRESULT result = DisconnectAddin(kVb6, connect.Get()); FAILED(result)) return 1;
  return 0;
}

}  // namespace
}  // namespace tandrel::win::testing

int main(int argc, char** argv) {
  if (!tandrel::win::testing::SetDllPaths(argc, argv)) return 1;
  const std::wstring dll = tandrel::win::testing::DllPath("Tandrel");
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  if (dll.empty()) {
    std::fprintf(stderr, "usage: tandrel_com_bench.exe Tandrel=<path of Tandrel.dll> [runs]\n");
    return 2;
  }
  if (FAILED(OleInitialize(nullptr))) return 1;
  const int status = tandrel::win::testing::Run(dll, runs);
  OleUninitialize();
  return status;
}
