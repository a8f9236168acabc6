// The TandrelVB5 deliverable: the VB5 IDE calls its IDTExtensibility members directly.
#include "addin5/connect.h"
#include "win/server/addin_kind.h"

namespace tandrel::win {
namespace {

class Vb5Addin final : public AddinEvents {
 public:
  explicit Vb5Addin(ide::Runtime& runtime) : connect_(runtime) {}

  addin::Connect& Object() override { return connect_; }
  void OnConnection(const std::shared_ptr<ide::Object>& application) override {
    connect_.IDTExtensibility_OnConnection(application, 0, nullptr);
  }
  void OnDisconnection(std::int32_t removeMode) override {
    connect_.IDTExtensibility_OnDisconnection(removeMode);
  }
  void OnAddInsUpdate() override { connect_.IDTExtensibility_OnAddInsUpdate(); }
  void OnStartupComplete() override { connect_.IDTExtensibility_OnStartupComplete(); }

 private:
  addin5::Connect connect_;
};

}  // namespace

const AddinKind kAddinKind{Extensibility::kVisualBasic5, kVisualBasicHost,
                           [](ide::Runtime& runtime) -> std::unique_ptr<AddinEvents> {
                             return std::make_unique<Vb5Addin>(runtime);
                           }};

}  // namespace tandrel::win
