#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "addin/connect.h"
#include "ide/runtime.h"
#include "ide/vbe.h"

namespace tandrel::deliverables {

// The deliverables, one for each IDE.
enum class Build { kVb6, kVb5, kVba };

// The interface through which the IDE calls an add-in's connection events.
enum class AddinInterface {
  kAddinDesigner,   // VB6: the add-in designer's AddinInstance events, IDTExtensibility2 underneath
  kExtensibility,   // VB5: IDTExtensibility
  kExtensibility2,  // the Office VBA editor: IDTExtensibility2
};

// One deliverable: its names, its version information, how its IDE meets it, and how its add-in object is
// made and told of the IDE's connection events, each through the member its own interface names.
struct Deliverable {
  Build build;
  std::string_view name;  // as the command line takes it: "vb6", "vb5", "vba"
  ide::VersionInfo (*version)();
  std::u16string_view contactAddress;
  AddinInterface addinInterface;
  addin::Host host;
  std::unique_ptr<addin::Connect> (*make)(ide::Runtime& runtime);
  void (*onConnection)(addin::Connect& addin, const std::shared_ptr<ide::Object>& application,
                       std::int32_t connectMode);
  void (*onDisconnection)(addin::Connect& addin, std::int32_t removeMode);
  // What the IDE reports once it has started, and when its list of add-ins changed.
  void (*onStartupComplete)(addin::Connect& addin);
  void (*onAddInsUpdate)(addin::Connect& addin);
};

// Every deliverable, in the order of Build.
std::span<const Deliverable> All();
const Deliverable& Of(Build build);
// The deliverable the command line names; null for a name it does not know.
const Deliverable* Named(std::string_view name);

}  // namespace tandrel::deliverables
