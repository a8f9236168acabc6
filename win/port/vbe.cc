// The IDE's root object and the entry points that wrap what a connection hands over.
#include "win/port/vbe.h"

#include "win/port/code.h"
#include "win/port/command_bars.h"
#include "win/port/dispatch_client.h"
#include "win/port/events.h"

namespace tandrel::win {

namespace {

class VbeObject final : public ide::VBE, public DispatchBacked {
 public:
  VbeObject(ComPtr<IDispatch> vbe, const std::shared_ptr<DispatchSession>& session)
      : vbe_(std::move(vbe), session, DispatchInterface::kVBE) {}

  IDispatch* Dispatch() const override { return vbe_.Get(); }

  std::shared_ptr<ide::CommandBars> CommandBars() override {
    return WrapCommandBars(vbe_.ReadObject(u"CommandBars"), vbe_.Session());
  }
  std::shared_ptr<ide::Events> Events() override {
    return WrapEvents(vbe_.ReadObject(u"Events"), vbe_.Session());
  }
  std::shared_ptr<ide::CodePane> ActiveCodePane() override {
    return WrapCodePane(vbe_.ReadObject(u"ActiveCodePane"), vbe_.Session());
  }

  HWND MainWindow() const { return WindowHandle(vbe_.ReadObject(u"MainWindow")); }
  HWND ActiveCodePaneWindow() const {
    const auto pane = vbe_.ReadObject(u"ActiveCodePane");
    if (!pane) return nullptr;
    return WindowHandle(
        DispatchObject(pane, vbe_.Session(), DispatchInterface::kCodePane).ReadObject(u"Window"));
  }
  const std::shared_ptr<DispatchSession>& Session() const { return vbe_.Session(); }

 private:
  HWND WindowHandle(ComPtr<IDispatch> window) const {
    // A window handle is pointer-sized: a 64-bit host may give it as VT_I8.
    const DispatchObject object(std::move(window), vbe_.Session(), DispatchInterface::kWindow);
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(object.ReadLongLong(u"HWnd")));
  }

  DispatchObject vbe_;
};

class ApplicationObject final : public ide::Object, public DispatchBacked {
 public:
  ApplicationObject(ComPtr<IDispatch> application, std::shared_ptr<DispatchSession> session)
      : application_(std::move(application)), session_(std::move(session)) {}

  IDispatch* Dispatch() const override { return application_.Get(); }

  std::shared_ptr<ide::VBE> AsVBE() override {
    return std::make_shared<VbeObject>(QueryDual(application_.Get(), session_->Host().vbe), session_);
  }

 private:
  ComPtr<IDispatch> application_;
  std::shared_ptr<DispatchSession> session_;
};

}  // namespace

std::shared_ptr<ide::Object> WrapApplication(IDispatch* application, const HostInterfaces& host,
                                             AddinOwner owner) {
  if (!application) return nullptr;
  return std::make_shared<ApplicationObject>(application,
                                             std::make_shared<DispatchSession>(host, std::move(owner)));
}

std::shared_ptr<ide::CommandBarEvents> WrapCommandBarEvents(IDispatch* source, const HostInterfaces& host,
                                                            AddinOwner owner) {
  if (!source) return nullptr;
  return WrapEventSource(source, std::make_shared<DispatchSession>(host, std::move(owner)));
}

HWND MainWindowOf(const std::shared_ptr<ide::VBE>& vbe) noexcept {
  const auto* object = dynamic_cast<const VbeObject*>(vbe.get());
  if (!object) return nullptr;
  try {
    return object->MainWindow();
  } catch (...) {
    // Without its main window the IDE still works; message boxes then have no owner.
    return nullptr;
  }
}

std::optional<HWND> ActiveCodePaneWindowOf(const std::shared_ptr<ide::VBE>& vbe) noexcept {
  const auto* object = dynamic_cast<const VbeObject*>(vbe.get());
  if (!object) return std::nullopt;
  try {
    return object->ActiveCodePaneWindow();
  } catch (...) {
    return std::nullopt;
  }
}

std::shared_ptr<DispatchSession> SessionOf(const std::shared_ptr<ide::VBE>& vbe) noexcept {
  const auto* object = dynamic_cast<const VbeObject*>(vbe.get());
  return object ? object->Session() : nullptr;
}

}  // namespace tandrel::win
