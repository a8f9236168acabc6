// The worst-case jump through COM: Tandrel.dll connected to the served IDE, holding the largest module the
// IDE holds, clicked with the caret on the outer block's first or last word. Reports the time per jump and
// the IDE calls the DLL made per 1,000 lines walked. Run under Wine:
//   tandrel_com_bench.exe Tandrel=<path of Tandrel.dll> [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/generated_module.h"
#include "tests/win/deliverables.h"
#include "tests/win/host/com_host.h"
#include "tests/win/host/message_boxes.h"
#include "tests/win/server_steps.h"
#include "tests/win/test_arguments.h"

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

int Run(const std::wstring& dll, int runs) {
  host::MessageBoxWatcher boxes;
  host::ComHost host;
  auto pane = host.Ide().AddModule(bench::GenerateLargeModule());
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
  constexpr std::int32_t kEndIfEnd = bench::kOuterIfColumn + 6;
  const Jump jumps[] = {
      {"forward (If to End If)",
       {bench::kOuterIfLine, bench::kOuterIfColumn, bench::kOuterIfLine, bench::kOuterIfColumn},
       {bench::kOuterIfLine, bench::kOuterIfColumn, bench::kOuterEndIfLine, kEndIfEnd}},
      {"backward (End If to If)",
       {bench::kOuterEndIfLine, bench::kOuterIfColumn, bench::kOuterEndIfLine, bench::kOuterIfColumn},
       // The pane keeps a backward selection start first.
       {bench::kOuterIfLine, bench::kOuterIfColumn, bench::kOuterEndIfLine, kEndIfEnd}},
  };
  const int linesWalked = bench::kOuterEndIfLine - bench::kOuterIfLine + 1;
  std::printf("module: %d lines; lines walked per jump: %d\n", bench::kMaxModuleLines, linesWalked);
  for (const Jump& jump : jumps) {
    std::vector<double> seconds;
    for (int run = 0; run <= runs; ++run) {
      pane->Select(jump.caret);
      host.Stats().Clear();
      const auto start = std::chrono::steady_clock::now();
      const auto outcomes = host.Click(entry);
      const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
      const auto shown = boxes.Take();
      if (outcomes.size() != 1 || FAILED(outcomes[0].result) || pane->Selection() != jump.expected ||
          !shown.empty()) {
        const ide::Selection& s = pane->Selection();
        std::printf(
            "%s: the jump did not select its partner: %zu outcome(s), selection %d:%d-%d:%d, %zu box(es)\n",
            jump.name, outcomes.size(), s.startLine, s.startColumn, s.endLine, s.endColumn, shown.size());
        for (const auto& box : shown)
          std::printf("  box: %ls\n", std::wstring(box.text.begin(), box.text.end()).c_str());
        return 1;
      }
      // The first click of each jump also pays for the DLL's first name lookups; it is not timed.
      if (run > 0) seconds.push_back(elapsed.count());
    }
    std::sort(seconds.begin(), seconds.end());
    const auto& stats = host.Stats();
    std::printf(
        "%s: median %.3f s, best %.3f s over %d runs; IDE calls %d (%.2f per 1,000 lines walked), "
        "GetIDsOfNames %d\n",
        jump.name, seconds[seconds.size() / 2], seconds.front(), runs, stats.TotalInvokes(),
        1000.0 * stats.TotalInvokes() / linesWalked, stats.TotalLookups());
    for (const auto& [member, count] : stats.InvokesByMember()) {
      std::printf("  %-28ls %d\n", member.c_str(), count);
    }
    for (const auto& [member, count] : stats.LookupsByMember()) {
      std::printf("  GetIDsOfNames %-14ls %d\n", member.c_str(), count);
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
