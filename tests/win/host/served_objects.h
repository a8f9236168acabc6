#pragma once

#include <ocidl.h>

#include <memory>
#include <span>

#include "ide/code.h"
#include "ide/command_bars.h"
#include "ide/events.h"
#include "ide/vbe.h"
#include "sim/command_bars.h"
#include "tests/win/host/served_object.h"

namespace tandrel::win::host {

// The IDE's root: CommandBars, Events, MainWindow and ActiveCodePane.
class VbeObject final : public Served<VbeObject> {
 public:
  VbeObject(std::shared_ptr<HostState> state, std::shared_ptr<ide::VBE> vbe);
  static std::span<const Member<VbeObject>> Members();

 private:
  bool Answers(REFIID iid) const override { return iid == State()->profile.vbe; }
  std::shared_ptr<ide::VBE> vbe_;
};

// The IDE's main window, a real top-level window of the host.
class WindowObject final : public Served<WindowObject> {
 public:
  // The window whose handle `handle` holds: the main window's, or the code panes'.
  WindowObject(std::shared_ptr<HostState> state, const HWND* handle);
  static std::span<const Member<WindowObject>> Members();

 private:
  bool Answers(REFIID) const override { return false; }
  const HWND* handle_;
};

class EventsObject final : public Served<EventsObject> {
 public:
  EventsObject(std::shared_ptr<HostState> state, std::shared_ptr<ide::Events> events);
  static std::span<const Member<EventsObject>> Members();

 private:
  bool Answers(REFIID iid) const override { return iid == State()->profile.events; }
  std::shared_ptr<ide::Events> events_;
};

class CodePaneObject final : public Served<CodePaneObject> {
 public:
  CodePaneObject(std::shared_ptr<HostState> state, std::shared_ptr<ide::CodePane> pane);
  static std::span<const Member<CodePaneObject>> Members();

 private:
  bool Answers(REFIID iid) const override { return iid == State()->profile.codePane; }
  std::shared_ptr<ide::CodePane> pane_;
};

class CodeModuleObject final : public Served<CodeModuleObject> {
 public:
  CodeModuleObject(std::shared_ptr<HostState> state, std::shared_ptr<ide::CodeModule> module);
  static std::span<const Member<CodeModuleObject>> Members();

 private:
  bool Answers(REFIID iid) const override { return iid == State()->profile.codeModule; }
  std::shared_ptr<ide::CodeModule> module_;
};

class CommandBarsObject final : public Served<CommandBarsObject> {
 public:
  CommandBarsObject(std::shared_ptr<HostState> state, std::shared_ptr<ide::CommandBars> bars);
  static std::span<const Member<CommandBarsObject>> Members();

 private:
  bool Answers(REFIID iid) const override;
  std::shared_ptr<ide::CommandBars> bars_;
};

class CommandBarObject final : public Served<CommandBarObject> {
 public:
  CommandBarObject(std::shared_ptr<HostState> state, std::shared_ptr<ide::CommandBar> bar);
  static std::span<const Member<CommandBarObject>> Members();

 private:
  bool Answers(REFIID iid) const override;
  std::shared_ptr<ide::CommandBar> bar_;
};

class CommandBarControlsObject final : public Served<CommandBarControlsObject> {
 public:
  CommandBarControlsObject(std::shared_ptr<HostState> state,
                           std::shared_ptr<ide::CommandBarControls> controls);
  static std::span<const Member<CommandBarControlsObject>> Members();

 private:
  bool Answers(REFIID iid) const override;
  std::shared_ptr<ide::CommandBarControls> controls_;
};

// A control on a bar; every control of the in-memory IDE is a button, so it answers both interfaces.
class ControlObject final : public Served<ControlObject> {
 public:
  ControlObject(std::shared_ptr<HostState> state, std::shared_ptr<ide::CommandBarControl> control);
  static std::span<const Member<ControlObject>> Members();

  const std::shared_ptr<sim::Control>& Control() const { return control_; }

 private:
  bool Answers(REFIID iid) const override;
  std::shared_ptr<sim::Control> control_;
};

// The source Events.CommandBarEvents gives for one control: a connection point raising Click.
class EventSourceObject final : public Served<EventSourceObject>, public IConnectionPointContainer {
 public:
  EventSourceObject(std::shared_ptr<HostState> state, std::shared_ptr<ide::CommandBarEvents> source);
  static std::span<const Member<EventSourceObject>> Members();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ServedObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return ServedObject::Release(); }
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  const std::shared_ptr<ide::CommandBarEvents>& Source() const { return source_; }
  const std::shared_ptr<HostState>& SharedState() const { return State(); }

 private:
  bool Answers(REFIID iid) const override { return iid == State()->profile.commandBarEvents; }
  std::shared_ptr<ide::CommandBarEvents> source_;
};

}  // namespace tandrel::win::host
