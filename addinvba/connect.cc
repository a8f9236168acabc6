#include "addinvba/connect.h"

#include "addinvba/version_info.h"
#include "command/match_rules.h"

namespace tandrel::addinvba {

Connect::Connect(ide::Runtime& runtime)
    : addin::Connect(runtime, {u"Ta&ndrel", false, command::kStandardRules, kContactAddress,
                               addin::Host::kOfficeEditor}) {}

void Connect::IDTExtensibility2_OnConnection(const std::shared_ptr<ide::Object>& Application, std::int32_t,
                                             const std::shared_ptr<ide::Object>&) {
  Connection(Application);
}

void Connect::IDTExtensibility2_OnDisconnection(std::int32_t) { Disconnection(); }

}  // namespace tandrel::addinvba
