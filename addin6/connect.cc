#include "addin6/connect.h"

#include "addin6/version_info.h"
#include "command/match_rules.h"

namespace tandrel::addin6 {

Connect::Connect(ide::Runtime& runtime)
    : addin::Connect(runtime, {u"Ta&ndrel", false, command::kStandardRules, kContactAddress}) {}

void Connect::AddinInstance_OnConnection(const std::shared_ptr<ide::Object>& Application, std::int32_t,
                                         const std::shared_ptr<ide::Object>&) {
  Connection(Application);
}

void Connect::AddinInstance_OnDisconnection(std::int32_t) { Disconnection(); }

}  // namespace tandrel::addin6
