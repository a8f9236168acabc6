#include "sim/call_log.h"

#include <algorithm>

#include "ide/error.h"

namespace tandrel::sim {

void CallLog::Enter(Operation operation) {
  ++CounterFor(operation).count;
  if (failures_.empty()) return;
  if (auto failure = failures_.find(operation.Name()); failure != failures_.end()) {
    throw ide::Error(failure->second);
  }
}

CallLog::Counter& CallLog::CounterFor(Operation operation) {
  const std::string_view name = operation.Name();
  for (const Recent& recent : recent_) {
    if (recent.literal != name.data()) continue;
    Counter& counter = counts_[recent.index];
    if (counter.operation.size() == name.size()) return counter;
  }
  auto found = std::find_if(counts_.begin(), counts_.end(),
                            [&](const Counter& each) { return each.operation == name; });
  if (found == counts_.end()) found = counts_.insert(counts_.end(), {std::string(name), 0});
  recent_[1] = recent_[0];
  recent_[0] = {name.data(), static_cast<std::size_t>(found - counts_.begin())};
  return *found;
}

int CallLog::Count(std::string_view operation) const {
  const auto counter = std::find_if(counts_.begin(), counts_.end(),
                                    [&](const Counter& each) { return each.operation == operation; });
  return counter == counts_.end() ? 0 : counter->count;
}

void CallLog::Fail(std::string_view operation, std::u16string description) {
  failures_.insert_or_assign(std::string(operation), std::move(description));
}

void CallLog::Heal(std::string_view operation) {
  if (auto failure = failures_.find(operation); failure != failures_.end()) failures_.erase(failure);
}

}  // namespace tandrel::sim
