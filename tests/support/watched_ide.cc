#include "tests/support/watched_ide.h"

#include <string>

#include "ide/error.h"

namespace tandrel::testing {
namespace {

// Wraps a non-null object of the IDE; Nothing stays Nothing.
template <typename Wrapper, typename Inner>
std::shared_ptr<Wrapper> Wrap(std::shared_ptr<Inner> inner, CallWatch& watch) {
  return inner ? std::make_shared<Wrapper>(std::move(inner), watch) : nullptr;
}

// The IDE's own control behind a watched one, so that its events object is asked about the control it knows.
class HoldsControl {
 public:
  virtual ~HoldsControl() = default;
  virtual std::shared_ptr<ide::CommandBarControl> InnerControl() const = 0;
};

// One class for a control seen as a control and as a button: `Inner` is the matching port type.
template <typename Base, typename Inner>
class WatchedControlAs : public Base, public HoldsControl {
 public:
  WatchedControlAs(std::shared_ptr<Inner> inner, CallWatch& watch)
      : inner_(std::move(inner)), watch_(watch) {}

  void SetCaption(const std::u16string& caption) override {
    watch_.Enter("Caption");
    inner_->SetCaption(caption);
  }
  void SetTooltipText(const std::u16string& text) override {
    watch_.Enter("TooltipText");
    inner_->SetTooltipText(text);
  }
  void SetShortcutText(const std::u16string& text) override {
    watch_.Enter("ShortcutText");
    inner_->SetShortcutText(text);
  }
  void SetBeginGroup(bool beginGroup) override {
    watch_.Enter("BeginGroup");
    inner_->SetBeginGroup(beginGroup);
  }
  void SetVisible(bool visible) override {
    watch_.Enter("Visible");
    inner_->SetVisible(visible);
  }
  void Delete() override {
    watch_.Enter("Delete");
    inner_->Delete();
  }
  std::shared_ptr<ide::CommandBarButton> AsCommandBarButton() override;
  std::shared_ptr<ide::CommandBar> CommandBar() override;
  std::shared_ptr<ide::CommandBarControl> InnerControl() const override { return inner_; }

 protected:
  std::shared_ptr<Inner> inner_;
  CallWatch& watch_;
};

using WatchedControl = WatchedControlAs<ide::CommandBarControl, ide::CommandBarControl>;

class WatchedButton final : public WatchedControlAs<ide::CommandBarButton, ide::CommandBarButton> {
 public:
  using WatchedControlAs::WatchedControlAs;

  void SetStyle(std::int32_t style) override {
    watch_.Enter("Style");
    inner_->SetStyle(style);
  }
  void SetFaceId(std::int32_t faceId) override {
    watch_.Enter("FaceId");
    inner_->SetFaceId(faceId);
  }
};

template <typename Base, typename Inner>
std::shared_ptr<ide::CommandBarButton> WatchedControlAs<Base, Inner>::AsCommandBarButton() {
  watch_.Enter("AsCommandBarButton");
  return Wrap<WatchedButton>(inner_->AsCommandBarButton(), watch_);
}

class WatchedControls final : public ide::CommandBarControls {
 public:
  WatchedControls(std::shared_ptr<ide::CommandBarControls> inner, CallWatch& watch)
      : inner_(std::move(inner)), watch_(watch) {}

  std::shared_ptr<ide::CommandBarControl> Add(std::int32_t type) override {
    watch_.Enter("Add");
    return Wrap<WatchedControl>(inner_->Add(type), watch_);
  }

 private:
  std::shared_ptr<ide::CommandBarControls> inner_;
  CallWatch& watch_;
};

class WatchedBar final : public ide::CommandBar {
 public:
  WatchedBar(std::shared_ptr<ide::CommandBar> inner, CallWatch& watch)
      : inner_(std::move(inner)), watch_(watch) {}

  std::shared_ptr<ide::CommandBarControls> Controls() override {
    watch_.Enter("Controls");
    return Wrap<WatchedControls>(inner_->Controls(), watch_);
  }
  std::shared_ptr<ide::CommandBarControl> FindControl(std::int32_t id) override {
    watch_.Enter("FindControl");
    return Wrap<WatchedControl>(inner_->FindControl(id), watch_);
  }

 private:
  std::shared_ptr<ide::CommandBar> inner_;
  CallWatch& watch_;
};

template <typename Base, typename Inner>
std::shared_ptr<ide::CommandBar> WatchedControlAs<Base, Inner>::CommandBar() {
  watch_.Enter("CommandBar");
  return Wrap<WatchedBar>(inner_->CommandBar(), watch_);
}

class WatchedBars final : public ide::CommandBars {
 public:
  WatchedBars(std::shared_ptr<ide::CommandBars> inner, CallWatch& watch)
      : inner_(std::move(inner)), watch_(watch) {}

  std::shared_ptr<ide::CommandBar> Item(const std::u16string& name) override {
    watch_.Enter("Item");
    return Wrap<WatchedBar>(inner_->Item(name), watch_);
  }
  std::shared_ptr<ide::CommandBar> ActiveMenuBar() override {
    watch_.Enter("ActiveMenuBar");
    return Wrap<WatchedBar>(inner_->ActiveMenuBar(), watch_);
  }

 private:
  std::shared_ptr<ide::CommandBars> inner_;
  CallWatch& watch_;
};

class WatchedEventSource final : public ide::CommandBarEvents {
 public:
  WatchedEventSource(std::shared_ptr<ide::CommandBarEvents> inner, CallWatch& watch)
      : inner_(std::move(inner)), watch_(watch) {}

  std::uint32_t Advise(ClickHandler handler) override {
    watch_.Enter("Advise");
    return inner_->Advise(std::move(handler));
  }
  void Unadvise(std::uint32_t cookie) override {
    watch_.Enter("Unadvise");
    inner_->Unadvise(cookie);
  }

 private:
  std::shared_ptr<ide::CommandBarEvents> inner_;
  CallWatch& watch_;
};

class WatchedEvents final : public ide::Events {
 public:
  WatchedEvents(std::shared_ptr<ide::Events> inner, CallWatch& watch)
      : inner_(std::move(inner)), watch_(watch) {}

  std::shared_ptr<ide::CommandBarEvents> CommandBarEvents(
      const std::shared_ptr<ide::CommandBarControl>& control) override {
    watch_.Enter("CommandBarEvents");
    const auto* watched = dynamic_cast<const HoldsControl*>(control.get());
    return Wrap<WatchedEventSource>(inner_->CommandBarEvents(watched ? watched->InnerControl() : control),
                                    watch_);
  }

 private:
  std::shared_ptr<ide::Events> inner_;
  CallWatch& watch_;
};

class WatchedModule;

class WatchedPane final : public ide::CodePane {
 public:
  WatchedPane(std::shared_ptr<ide::CodePane> inner, CallWatch& watch)
      : inner_(std::move(inner)), watch_(watch) {}

  ide::Selection GetSelection() override {
    watch_.Enter("GetSelection");
    return inner_->GetSelection();
  }
  void SetSelection(std::int32_t startLine, std::int32_t startColumn, std::int32_t endLine,
                    std::int32_t endColumn) override {
    watch_.Enter("SetSelection");
    inner_->SetSelection(startLine, startColumn, endLine, endColumn);
  }
  std::shared_ptr<ide::CodeModule> CodeModule() override;

 private:
  std::shared_ptr<ide::CodePane> inner_;
  CallWatch& watch_;
};

class WatchedModule final : public ide::CodeModule {
 public:
  WatchedModule(std::shared_ptr<ide::CodeModule> inner, CallWatch& watch)
      : inner_(std::move(inner)), watch_(watch) {}

  std::u16string Lines(std::int32_t startLine, std::int32_t count) override {
    watch_.Enter("Lines");
    return inner_->Lines(startLine, count);
  }
  std::int32_t CountOfLines() override {
    watch_.Enter("CountOfLines");
    return inner_->CountOfLines();
  }
  std::int32_t LinesPerRead() const override { return inner_->LinesPerRead(); }
  std::shared_ptr<ide::CodePane> CodePane() override {
    watch_.Enter("CodePane");
    return Wrap<WatchedPane>(inner_->CodePane(), watch_);
  }

 private:
  std::shared_ptr<ide::CodeModule> inner_;
  CallWatch& watch_;
};

std::shared_ptr<ide::CodeModule> WatchedPane::CodeModule() {
  watch_.Enter("CodeModule");
  return Wrap<WatchedModule>(inner_->CodeModule(), watch_);
}

class WatchedVbe final : public ide::VBE {
 public:
  WatchedVbe(std::shared_ptr<ide::VBE> inner, CallWatch& watch) : inner_(std::move(inner)), watch_(watch) {}

  std::shared_ptr<ide::CommandBars> CommandBars() override {
    watch_.Enter("CommandBars");
    return Wrap<WatchedBars>(inner_->CommandBars(), watch_);
  }
  std::shared_ptr<ide::Events> Events() override {
    watch_.Enter("Events");
    return Wrap<WatchedEvents>(inner_->Events(), watch_);
  }
  std::shared_ptr<ide::CodePane> ActiveCodePane() override {
    watch_.Enter("ActiveCodePane");
    return Wrap<WatchedPane>(inner_->ActiveCodePane(), watch_);
  }

 private:
  std::shared_ptr<ide::VBE> inner_;
  CallWatch& watch_;
};

// Connecting and disconnecting take about thirty calls, the command about ten besides its walk.
constexpr std::int64_t kSessionCalls = 64;
// A walk reads each line it visits once and asks for the line count with it.
constexpr std::int64_t kCallsPerLineOrCharacter = 4;

}  // namespace

std::shared_ptr<ide::VBE> Watched(std::shared_ptr<ide::VBE> vbe, CallWatch& watch) {
  return Wrap<WatchedVbe>(std::move(vbe), watch);
}

void CallRecorder::Enter(std::string_view call) {
  calls_.push_back(call);
  const auto number = static_cast<std::int64_t>(calls_.size());
  if (number > limit_) {
    throw CallLimitExceeded("more than " + std::to_string(limit_) + " IDE calls; the last was " +
                            std::string(call));
  }
  if (number == failing_) throw ide::Error(u"Automation error");
}

std::int64_t CallLimit(const std::vector<std::u16string>& lines) {
  std::int64_t units = static_cast<std::int64_t>(lines.size());
  for (const auto& line : lines) units += static_cast<std::int64_t>(line.size());
  return kSessionCalls + kCallsPerLineOrCharacter * units;
}

}  // namespace tandrel::testing
