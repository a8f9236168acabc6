#pragma once

#include <map>
#include <string>

namespace tandrel::win::host {

// Every IDispatch call the served objects receive, per member ("CodeModule.Lines"), and every name looked up
// through GetIDsOfNames ("CodeModule.Lines" too): what a client costs the IDE.
class CallStats {
 public:
  void Invoked(const std::wstring& member) { ++invokes_[member]; }
  void NameLookedUp(const std::wstring& member) { ++lookups_[member]; }

  int Invokes(const std::wstring& member) const;
  int Lookups(const std::wstring& member) const;
  int TotalInvokes() const;
  int TotalLookups() const;
  const std::map<std::wstring, int>& InvokesByMember() const { return invokes_; }
  const std::map<std::wstring, int>& LookupsByMember() const { return lookups_; }
  void Clear();

 private:
  std::map<std::wstring, int> invokes_;
  std::map<std::wstring, int> lookups_;
};

}  // namespace tandrel::win::host
