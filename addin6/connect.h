#pragma once

#include <cstdint>
#include <memory>

#include "addin/connect.h"
#include "ide/runtime.h"
#include "ide/vbe.h"

namespace tandrel::addin6 {

// The Tandrel deliverable's add-in object for the VB6 IDE, connected through the add-in designer's events.
class Connect : public addin::Connect {
 public:
  explicit Connect(ide::Runtime& runtime);

  // Only Application is used; every connect mode connects the same way. No error reaches the IDE.
  void AddinInstance_OnConnection(const std::shared_ptr<ide::Object>& Application, std::int32_t ConnectMode,
                                  const std::shared_ptr<ide::Object>& AddInInst);
  // Every remove mode removes the three entries; no error reaches the IDE.
  void AddinInstance_OnDisconnection(std::int32_t RemoveMode);
};

}  // namespace tandrel::addin6
