#include "sim/ide.h"

#include "sim/module_text.h"

namespace tandrel::sim {

class Ide::Root : public ide::VBE {
 public:
  explicit Root(Ide& ide) : ide_(ide) {}

  std::shared_ptr<ide::CommandBars> CommandBars() override {
    ide_.calls_->Enter("CommandBars");
    return ide_.bars_;
  }
  std::shared_ptr<ide::Events> Events() override {
    ide_.calls_->Enter("Events");
    return ide_.events_;
  }
  std::shared_ptr<ide::CodePane> ActiveCodePane() override {
    ide_.calls_->Enter("ActiveCodePane");
    return ide_.active_;
  }

 private:
  Ide& ide_;
};

Ide::Ide()
    : calls_(std::make_shared<CallLog>()),
      record_(std::make_shared<sim::Record>()),
      bars_(std::make_shared<Bars>(calls_, record_)),
      events_(std::make_shared<EventsHub>(calls_)),
      vbe_(std::make_shared<Root>(*this)) {}

std::shared_ptr<Pane> Ide::AddModule(std::u16string_view text) { return AddModule(SplitLines(text)); }

std::shared_ptr<Pane> Ide::AddModule(std::vector<std::u16string> lines) {
  auto module = std::make_shared<Module>(calls_, std::move(lines));
  auto pane = std::make_shared<Pane>(calls_, record_, module);
  module->pane_ = pane;
  panes_.push_back(pane);
  active_ = pane;
  return pane;
}

int Ide::Click(const std::shared_ptr<ide::CommandBarControl>& control) {
  bool handled = false;
  bool cancelDefault = false;
  return Click(control, handled, cancelDefault);
}

void Ide::RaiseOnBarLookup(const std::u16string& name, std::u16string description) {
  bars_->RaiseOnLookup(name, std::move(description));
}

void Ide::FailCall(std::string_view operation, std::u16string description) {
  calls_->Fail(operation, std::move(description));
}

}  // namespace tandrel::sim
