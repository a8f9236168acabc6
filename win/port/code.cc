#include "win/port/code.h"

namespace tandrel::win {
namespace {

class CodeModuleObject final : public ide::CodeModule, public DispatchBacked {
 public:
  CodeModuleObject(ComPtr<IDispatch> module, const std::shared_ptr<DispatchSession>& session)
      : module_(std::move(module), session, DispatchInterface::kCodeModule) {}

  IDispatch* Dispatch() const override { return module_.Get(); }

  std::u16string Lines(std::int32_t startLine, std::int32_t count) override {
    return module_.ReadText(u"Lines", {LongArgument(startLine), LongArgument(count)});
  }
  std::int32_t CountOfLines() override { return module_.ReadLong(u"CountOfLines"); }
  // Every call crosses to the IDE's apartment and costs far more than the text of a few thousand lines.
  std::int32_t LinesPerRead() const override { return 4096; }
  std::shared_ptr<ide::CodePane> CodePane() override {
    return WrapCodePane(module_.ReadObject(u"CodePane"), module_.Session());
  }

 private:
  DispatchObject module_;
};

class CodePaneObject final : public ide::CodePane, public DispatchBacked {
 public:
  CodePaneObject(ComPtr<IDispatch> pane, const std::shared_ptr<DispatchSession>& session)
      : pane_(std::move(pane), session, DispatchInterface::kCodePane) {}

  IDispatch* Dispatch() const override { return pane_.Get(); }

  ide::Selection GetSelection() override {
    LONG startLine = 0;
    LONG startColumn = 0;
    LONG endLine = 0;
    LONG endColumn = 0;
    pane_.Call(u"GetSelection", {LongOutArgument(&startLine), LongOutArgument(&startColumn),
                                 LongOutArgument(&endLine), LongOutArgument(&endColumn)});
    return {startLine, startColumn, endLine, endColumn};
  }
  void SetSelection(std::int32_t startLine, std::int32_t startColumn, std::int32_t endLine,
                    std::int32_t endColumn) override {
    pane_.Call(u"SetSelection", {LongArgument(startLine), LongArgument(startColumn), LongArgument(endLine),
                                 LongArgument(endColumn)});
  }
  std::shared_ptr<ide::CodeModule> CodeModule() override {
    ComPtr<IDispatch> module = pane_.ReadObject(u"CodeModule");
    if (!module) return nullptr;
    return std::make_shared<CodeModuleObject>(std::move(module), pane_.Session());
  }

 private:
  DispatchObject pane_;
};

}  // namespace

std::shared_ptr<ide::CodePane> WrapCodePane(ComPtr<IDispatch> pane,
                                            const std::shared_ptr<DispatchSession>& session) {
  if (!pane) return nullptr;
  return std::make_shared<CodePaneObject>(std::move(pane), session);
}

}  // namespace tandrel::win
