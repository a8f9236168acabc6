#include "deliverables/deliverables.h"

#include "addin5/connect.h"
#include "addin5/version_info.h"
#include "addin6/connect.h"
#include "addin6/version_info.h"
#include "addinvba/connect.h"
#include "addinvba/version_info.h"

namespace tandrel::deliverables {
namespace {

template <typename AddinClass>
std::unique_ptr<addin::Connect> Make(ide::Runtime& runtime) {
  return std::make_unique<AddinClass>(runtime);
}

// The add-in object a row made, as its own class: only that row's events reach it.
template <typename AddinClass>
AddinClass& Own(addin::Connect& addin) {
  return static_cast<AddinClass&>(addin);
}

// The add-in designer has no events for these; the two IDTExtensibility interfaces have.
void Nothing(addin::Connect&) {}

constexpr Deliverable kDeliverables[] = {
    {Build::kVb6, "vb6", addin6::DeliverableVersion, addin6::kContactAddress, AddinInterface::kAddinDesigner,
     addin::Host::kVisualBasic, Make<addin6::Connect>,
     [](addin::Connect& addin, const std::shared_ptr<ide::Object>& application, std::int32_t connectMode) {
       Own<addin6::Connect>(addin).AddinInstance_OnConnection(application, connectMode, nullptr);
     },
     [](addin::Connect& addin, std::int32_t removeMode) {
       Own<addin6::Connect>(addin).AddinInstance_OnDisconnection(removeMode);
     },
     Nothing, Nothing},
    {Build::kVb5, "vb5", addin5::DeliverableVersion, addin5::kContactAddress, AddinInterface::kExtensibility,
     addin::Host::kVisualBasic, Make<addin5::Connect>,
     [](addin::Connect& addin, const std::shared_ptr<ide::Object>& application, std::int32_t connectMode) {
       Own<addin5::Connect>(addin).IDTExtensibility_OnConnection(application, connectMode, nullptr);
     },
     [](addin::Connect& addin, std::int32_t removeMode) {
       Own<addin5::Connect>(addin).IDTExtensibility_OnDisconnection(removeMode);
     },
     [](addin::Connect& addin) { Own<addin5::Connect>(addin).IDTExtensibility_OnStartupComplete(); },
     [](addin::Connect& addin) { Own<addin5::Connect>(addin).IDTExtensibility_OnAddInsUpdate(); }},
    {Build::kVba, "vba", addinvba::DeliverableVersion, addinvba::kContactAddress,
     AddinInterface::kExtensibility2, addin::Host::kOfficeEditor, Make<addinvba::Connect>,
     [](addin::Connect& addin, const std::shared_ptr<ide::Object>& application, std::int32_t connectMode) {
       Own<addinvba::Connect>(addin).IDTExtensibility2_OnConnection(application, connectMode, nullptr);
     },
     [](addin::Connect& addin, std::int32_t removeMode) {
       Own<addinvba::Connect>(addin).IDTExtensibility2_OnDisconnection(removeMode);
     },
     [](addin::Connect& addin) { Own<addinvba::Connect>(addin).IDTExtensibility2_OnStartupComplete(); },
     [](addin::Connect& addin) { Own<addinvba::Connect>(addin).IDTExtensibility2_OnAddInsUpdate(); }},
};

}  // namespace

std::span<const Deliverable> All() { return kDeliverables; }

const Deliverable& Of(Build build) { return kDeliverables[static_cast<int>(build)]; }

const Deliverable* Named(std::string_view name) {
  for (const Deliverable& deliverable : kDeliverables) {
    if (deliverable.name == name) return &deliverable;
  }
  return nullptr;
}

}  // namespace tandrel::deliverables
