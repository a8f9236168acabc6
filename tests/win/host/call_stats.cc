#include "tests/win/host/call_stats.h"

namespace tandrel::win::host {
namespace {

int CountOf(const std::map<std::wstring, int>& counts, const std::wstring& member) {
  auto count = counts.find(member);
  return count == counts.end() ? 0 : count->second;
}

int Sum(const std::map<std::wstring, int>& counts) {
  int total = 0;
  for (const auto& [member, count] : counts) total += count;
  return total;
}

}  // namespace

int CallStats::Invokes(const std::wstring& member) const { return CountOf(invokes_, member); }
int CallStats::Lookups(const std::wstring& member) const { return CountOf(lookups_, member); }
int CallStats::TotalInvokes() const { return Sum(invokes_); }
int CallStats::TotalLookups() const { return Sum(lookups_); }

void CallStats::Clear() {
  invokes_.clear();
  lookups_.clear();
}

}  // namespace tandrel::win::host
