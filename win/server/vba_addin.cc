// The TandrelVBA deliverable: the Office VBA editor connects it through IDTExtensibility2.
#include "addinvba/connect.h"
#include "win/server/addin_kind.h"

namespace tandrel::win {
namespace {

class VbaAddin final : public AddinEvents {
 public:
  explicit VbaAddin(ide::Runtime& runtime) : connect_(runtime) {}

  addin::Connect& Object() override { return connect_; }
  void OnConnection(const std::shared_ptr<ide::Object>& application) override {
    connect_.IDTExtensibility2_OnConnection(application, 0, nullptr);
  }
  void OnDisconnection(std::int32_t removeMode) override {
    connect_.IDTExtensibility2_OnDisconnection(removeMode);
  }
  void OnAddInsUpdate() override { connect_.IDTExtensibility2_OnAddInsUpdate(); }
  void OnStartupComplete() override { connect_.IDTExtensibility2_OnStartupComplete(); }

 private:
  addinvba::Connect connect_;
};

}  // namespace

const AddinKind kAddinKind{Extensibility::kDesigner, kOfficeEditorHost,
                           [](ide::Runtime& runtime) -> std::unique_ptr<AddinEvents> {
                             return std::make_unique<VbaAddin>(runtime);
                           }};

}  // namespace tandrel::win
