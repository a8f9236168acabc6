#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "ide/vbe.h"

namespace tandrel::testing {

// Sees every call the add-in makes on the IDE's objects before the call is made, and may raise in its place.
class CallWatch {
 public:
  virtual ~CallWatch() = default;

  // `call` names the operation as the in-memory IDE counts it ("Lines", "SetSelection", "Add", ...).
  virtual void Enter(std::string_view call) = 0;
};

// `vbe` as the add-in meets it through `watch`: every object reached from it (bars, controls, event sources,
// panes, modules) is watched as well. The in-memory IDE's own objects stay behind it, so a test still clicks
// and inspects them directly. `watch` must outlive every object handed out.
std::shared_ptr<ide::VBE> Watched(std::shared_ptr<ide::VBE> vbe, CallWatch& watch);

// A walk that makes more IDE calls than its module can justify would freeze the IDE; this ends it instead.
class CallLimitExceeded : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Numbers the calls in order and keeps their names. The call numbered `failing` (from 1; 0 for none) raises
// the IDE's "Automation error" instead of being made, and any call past `limit` raises CallLimitExceeded.
class CallRecorder final : public CallWatch {
 public:
  explicit CallRecorder(std::int64_t limit, std::int64_t failing = 0) : limit_(limit), failing_(failing) {}

  void Enter(std::string_view call) override;
  const std::vector<std::string_view>& Calls() const { return calls_; }

 private:
  std::int64_t limit_;
  std::int64_t failing_;
  std::vector<std::string_view> calls_;
};

// The most IDE calls a session (connection, one click, disconnection) may make on a module of `lines`: a
// fixed number for connecting and for the command itself, and a few per line and per character, which a
// walk that visits each line once stays far below.
std::int64_t CallLimit(const std::vector<std::u16string>& lines);

}  // namespace tandrel::testing
