#pragma once

#include <cstdint>
#include <memory>

#include "addin/connect.h"
#include "ide/runtime.h"
#include "ide/vbe.h"
#include "win/port/port.h"

namespace tandrel::win {

// The connection events of one deliverable's add-in object, whichever interface the IDE calls them through.
class AddinEvents {
 public:
  virtual ~AddinEvents() = default;

  virtual addin::Connect& Object() = 0;
  virtual void OnConnection(const std::shared_ptr<ide::Object>& application) = 0;
  virtual void OnDisconnection(std::int32_t removeMode) = 0;
  virtual void OnAddInsUpdate() = 0;
  virtual void OnStartupComplete() = 0;
};

// Which add-in interface the IDE calls: the add-in designer's IDTExtensibility2 (VB6, the VBA editor) or the
// VB5 IDE's own IDTExtensibility.
enum class Extensibility { kDesigner, kVisualBasic5 };

// What sets one deliverable's COM object apart; each deliverable's own source defines kAddinKind.
struct AddinKind {
  Extensibility extensibility;
  const HostInterfaces& host;
  std::unique_ptr<AddinEvents> (*make)(ide::Runtime& runtime);
};

extern const AddinKind kAddinKind;

}  // namespace tandrel::win
