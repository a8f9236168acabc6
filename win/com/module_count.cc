#include "win/com/module_count.h"

#include <atomic>

namespace tandrel::win {
namespace {

std::atomic<long> moduleUsers{0};

}  // namespace

void LockModule() noexcept { ++moduleUsers; }
void UnlockModule() noexcept { --moduleUsers; }
bool ModuleInUse() noexcept { return moduleUsers.load() != 0; }

}  // namespace tandrel::win
