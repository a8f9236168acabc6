#include "sim/call_log.h"

#include "ide/error.h"

namespace tandrel::sim {

void CallLog::Enter(std::string_view operation) {
  auto count = counts_.find(operation);
  if (count == counts_.end()) count = counts_.emplace(std::string(operation), 0).first;
  ++count->second;
  if (auto failure = failures_.find(operation); failure != failures_.end()) throw ide::Error(failure->second);
}

int CallLog::Count(std::string_view operation) const {
  auto count = counts_.find(operation);
  return count == counts_.end() ? 0 : count->second;
}

void CallLog::Fail(std::string_view operation, std::u16string description) {
  failures_.insert_or_assign(std::string(operation), std::move(description));
}

void CallLog::Heal(std::string_view operation) {
  if (auto failure = failures_.find(operation); failure != failures_.end()) failures_.erase(failure);
}

}  // namespace tandrel::sim
