#include "addin5/connect.h"

#include "addin5/vb5_rules.h"
#include "addin5/version_info.h"

namespace tandrel::addin5 {

Connect::Connect(ide::Runtime& runtime)
    : addin::Connect(runtime, {u"Ta&ndrel VB5", true, kVb5Rules, kContactAddress}) {}

void Connect::IDTExtensibility_OnConnection(const std::shared_ptr<ide::Object>& VBInst, std::int32_t,
                                            const std::shared_ptr<ide::Object>&) {
  Connection(VBInst);
}

void Connect::IDTExtensibility_OnDisconnection(std::int32_t) { Disconnection(); }

}  // namespace tandrel::addin5
