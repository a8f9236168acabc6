#pragma once

#include <cstdint>
#include <memory>

#include "addin/connect.h"
#include "ide/runtime.h"
#include "ide/vbe.h"

namespace tandrel::addin5 {

// The TandrelVB5 deliverable's add-in object for the VB5 IDE, which calls its IDTExtensibility members.
class Connect : public addin::Connect {
 public:
  explicit Connect(ide::Runtime& runtime);

  // Only VBInst is used; every connect mode connects the same way. No error reaches the IDE.
  void IDTExtensibility_OnConnection(const std::shared_ptr<ide::Object>& VBInst, std::int32_t ConnectMode,
                                     const std::shared_ptr<ide::Object>& AddInInst);
  // Every remove mode removes the three entries; no error reaches the IDE.
  void IDTExtensibility_OnDisconnection(std::int32_t RemoveMode);
  // Nothing to do when the IDE has finished starting or its list of add-ins changed.
  void IDTExtensibility_OnStartupComplete() {}
  void IDTExtensibility_OnAddInsUpdate() {}
};

}  // namespace tandrel::addin5
