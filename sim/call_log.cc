#include "sim/call_log.h"

#include <algorithm>
#include <cstring>

#include "ide/error.h"

namespace tandrel::sim {
namespace {

// Names differ in length more often than not, which is tested first; equal lengths are compared whole.
bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

void CallLog::Enter(std::string_view operation) {
  Counter* counter = nullptr;
  for (const std::size_t index : recent_) {
    if (index < counts_.size() && SameName(counts_[index].operation, operation)) {
      counter = &counts_[index];
      break;
    }
  }
  if (counter == nullptr) {
    auto found = std::find_if(counts_.begin(), counts_.end(),
                              [&](const Counter& each) { return SameName(each.operation, operation); });
    if (found == counts_.end()) found = counts_.insert(counts_.end(), {std::string(operation), 0});
    recent_[1] = recent_[0];
    recent_[0] = static_cast<std::size_t>(found - counts_.begin());
    counter = &*found;
  }
  ++counter->count;
  if (failures_.empty()) return;
  if (auto failure = failures_.find(operation); failure != failures_.end()) throw ide::Error(failure->second);
}

int CallLog::Count(std::string_view operation) const {
  const auto counter = std::find_if(counts_.begin(), counts_.end(),
                                    [&](const Counter& each) { return SameName(each.operation, operation); });
  return counter == counts_.end() ? 0 : counter->count;
}

void CallLog::Fail(std::string_view operation, std::u16string description) {
  failures_.insert_or_assign(std::string(operation), std::move(description));
}

void CallLog::Heal(std::string_view operation) {
  if (auto failure = failures_.find(operation); failure != failures_.end()) failures_.erase(failure);
}

}  // namespace tandrel::sim
