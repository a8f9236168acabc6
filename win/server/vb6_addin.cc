// The Tandrel deliverable: the VB6 IDE connects it through the add-in designer's IDTExtensibility2.
#include "addin6/connect.h"
#include "win/server/addin_kind.h"

namespace tandrel::win {
namespace {

class Vb6Addin final : public AddinEvents {
 public:
  explicit Vb6Addin(ide::Runtime& runtime) : connect_(runtime) {}

  addin::Connect& Object() override { return connect_; }
  void OnConnection(const std::shared_ptr<ide::Object>& application) override {
    connect_.AddinInstance_OnConnection(application, 0, nullptr);
  }
  void OnDisconnection(std::int32_t removeMode) override {
    connect_.AddinInstance_OnDisconnection(removeMode);
  }
  void OnAddInsUpdate() override {}
  void OnStartupComplete() override {}

 private:
  addin6::Connect connect_;
};

}  // namespace

const AddinKind kAddinKind{Extensibility::kDesigner, kVisualBasicHost,
                           [](ide::Runtime& runtime) -> std::unique_ptr<AddinEvents> {
                             return std::make_unique<Vb6Addin>(runtime);
                           }};

}  // namespace tandrel::win
