#pragma once

#include <cstdint>
#include <memory>

#include "addin/connect.h"
#include "ide/runtime.h"
#include "ide/vbe.h"

namespace tandrel::addinvba {

// The TandrelVBA deliverable's add-in object for the Office VBA editor, which calls its IDTExtensibility2
// members. It runs the VB6 build's command; it differs in how it finds its bars and in letting go of its
// handlers when it is disconnected.
class Connect : public addin::Connect {
 public:
  explicit Connect(ide::Runtime& runtime);

  // Only Application is used; every connect mode connects the same way. No error reaches the editor.
  void IDTExtensibility2_OnConnection(const std::shared_ptr<ide::Object>& Application,
                                      std::int32_t ConnectMode,
                                      const std::shared_ptr<ide::Object>& AddInInst);
  // Detaches the three handlers, then removes the three entries; no error reaches the editor.
  void IDTExtensibility2_OnDisconnection(std::int32_t RemoveMode);
  // Nothing to do when the editor has finished starting, its add-ins changed or it begins to close.
  void IDTExtensibility2_OnAddInsUpdate() {}
  void IDTExtensibility2_OnStartupComplete() {}
  void IDTExtensibility2_OnBeginShutdown() {}
};

}  // namespace tandrel::addinvba
