#include "win/port/command_bars.h"

#include "win/com/bstr.h"

namespace tandrel::win {

const IID kCommandBarButtonIid{0x000C030E, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {

template <typename Port, typename Object>
std::shared_ptr<Port> WrapIfSet(ComPtr<IDispatch> object, const std::shared_ptr<DispatchSession>& session) {
  if (!object) return nullptr;
  return std::make_shared<Object>(std::move(object), session);
}

std::shared_ptr<ide::CommandBar> WrapBar(ComPtr<IDispatch> bar,
                                         const std::shared_ptr<DispatchSession>& session);

// A menu entry or toolbar button, seen through `kind`: the control's own interface or its button face.
template <typename Port, DispatchInterface kind>
class ControlObject : public Port, public DispatchBacked {
 public:
  ControlObject(ComPtr<IDispatch> control, const std::shared_ptr<DispatchSession>& session)
      : control_(std::move(control), session, kind) {}

  IDispatch* Dispatch() const override { return control_.Get(); }

  void SetCaption(const std::u16string& caption) override {
    const Bstr text(caption);
    control_.Put(u"Caption", TextArgument(text.Get()));
  }
  void SetTooltipText(const std::u16string& text) override {
    const Bstr tip(text);
    control_.Put(u"TooltipText", TextArgument(tip.Get()));
  }
  void SetShortcutText(const std::u16string& text) override {
    const Bstr shortcut(text);
    control_.Put(u"ShortcutText", TextArgument(shortcut.Get()));
  }
  void SetBeginGroup(bool beginGroup) override { control_.Put(u"BeginGroup", BoolArgument(beginGroup)); }
  void SetVisible(bool visible) override { control_.Put(u"Visible", BoolArgument(visible)); }
  void Delete() override { control_.Call(u"Delete", {OmittedArgument()}); }
  std::shared_ptr<ide::CommandBarButton> AsCommandBarButton() override;
  std::shared_ptr<ide::CommandBar> CommandBar() override {
    return WrapBar(control_.ReadObject(u"CommandBar"), control_.Session());
  }

 protected:
  const DispatchObject& Control() const { return control_; }

 private:
  DispatchObject control_;
};

class ButtonObject final : public ControlObject<ide::CommandBarButton, DispatchInterface::kCommandBarButton> {
 public:
  using ControlObject::ControlObject;

  void SetStyle(std::int32_t style) override { Control().Put(u"Style", LongArgument(style)); }
  void SetFaceId(std::int32_t faceId) override { Control().Put(u"FaceId", LongArgument(faceId)); }
};

template <typename Port, DispatchInterface kind>
std::shared_ptr<ide::CommandBarButton> ControlObject<Port, kind>::AsCommandBarButton() {
  return std::make_shared<ButtonObject>(QueryDual(control_.Get(), kCommandBarButtonIid), control_.Session());
}

using PlainControlObject = ControlObject<ide::CommandBarControl, DispatchInterface::kCommandBarControl>;

class ControlsObject final : public ide::CommandBarControls, public DispatchBacked {
 public:
  ControlsObject(ComPtr<IDispatch> controls, const std::shared_ptr<DispatchSession>& session)
      : controls_(std::move(controls), session, DispatchInterface::kCommandBarControls) {}

  IDispatch* Dispatch() const override { return controls_.Get(); }

  // Type, then Id, Parameter, Before and Temporary left out: a new permanent control at the end.
  std::shared_ptr<ide::CommandBarControl> Add(std::int32_t type) override {
    return WrapCommandBarControl(
        controls_.CallForObject(u"Add", {LongArgument(type), OmittedArgument(), OmittedArgument(),
                                         OmittedArgument(), OmittedArgument()}),
        controls_.Session());
  }

 private:
  DispatchObject controls_;
};

class BarObject final : public ide::CommandBar, public DispatchBacked {
 public:
  BarObject(ComPtr<IDispatch> bar, const std::shared_ptr<DispatchSession>& session)
      : bar_(std::move(bar), session, DispatchInterface::kCommandBar) {}

  IDispatch* Dispatch() const override { return bar_.Get(); }

  std::shared_ptr<ide::CommandBarControls> Controls() override {
    return WrapIfSet<ide::CommandBarControls, ControlsObject>(bar_.ReadObject(u"Controls"), bar_.Session());
  }
  // Type, then Id, then Tag, Visible and Recursive left out: the first control with that built-in Id.
  std::shared_ptr<ide::CommandBarControl> FindControl(std::int32_t id) override {
    return WrapCommandBarControl(
        bar_.CallForObject(u"FindControl", {OmittedArgument(), LongArgument(id), OmittedArgument(),
                                            OmittedArgument(), OmittedArgument()}),
        bar_.Session());
  }

 private:
  DispatchObject bar_;
};

std::shared_ptr<ide::CommandBar> WrapBar(ComPtr<IDispatch> bar,
                                         const std::shared_ptr<DispatchSession>& session) {
  return WrapIfSet<ide::CommandBar, BarObject>(std::move(bar), session);
}

class BarsObject final : public ide::CommandBars, public DispatchBacked {
 public:
  BarsObject(ComPtr<IDispatch> bars, const std::shared_ptr<DispatchSession>& session)
      : bars_(std::move(bars), session, DispatchInterface::kCommandBars) {}

  IDispatch* Dispatch() const override { return bars_.Get(); }

  std::shared_ptr<ide::CommandBar> Item(const std::u16string& name) override {
    const Bstr index(name);
    return WrapBar(bars_.ReadObject(u"Item", {TextArgument(index.Get())}), bars_.Session());
  }
  std::shared_ptr<ide::CommandBar> ActiveMenuBar() override {
    return WrapBar(bars_.ReadObject(u"ActiveMenuBar"), bars_.Session());
  }

 private:
  DispatchObject bars_;
};

}  // namespace

std::shared_ptr<ide::CommandBars> WrapCommandBars(ComPtr<IDispatch> bars,
                                                  const std::shared_ptr<DispatchSession>& session) {
  return WrapIfSet<ide::CommandBars, BarsObject>(std::move(bars), session);
}

std::shared_ptr<ide::CommandBarControl> WrapCommandBarControl(
    ComPtr<IDispatch> control, const std::shared_ptr<DispatchSession>& session) {
  return WrapIfSet<ide::CommandBarControl, PlainControlObject>(std::move(control), session);
}

}  // namespace tandrel::win
