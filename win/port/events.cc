#include "win/port/events.h"

#include <ocidl.h>

#include "ide/command_bars.h"
#include "win/com/com_error.h"
#include "win/port/click_sink.h"

namespace tandrel::win {
namespace {

// A control's event source: each handler attached is one sink advised on its Click connection point.
class EventSourceObject final : public ide::CommandBarEvents, public DispatchBacked {
 public:
  EventSourceObject(ComPtr<IDispatch> source, std::shared_ptr<DispatchSession> session)
      : source_(std::move(source)), session_(std::move(session)) {}

  IDispatch* Dispatch() const override { return source_.Get(); }

  std::uint32_t Advise(ClickHandler handler) override {
    const ComPtr<IConnectionPoint> point = ClickPoint();
    const ComPtr<ClickSink> sink = Adopt(new ClickSink(std::move(handler), session_));
    DWORD cookie = 0;
    ThrowIfFailed(point->Advise(sink.Get(), &cookie));
    return cookie;
  }

  void Unadvise(std::uint32_t cookie) override { ThrowIfFailed(ClickPoint()->Unadvise(cookie)); }

 private:
  // Looked up for each use, so that this object holds its one reference only.
  ComPtr<IConnectionPoint> ClickPoint() const {
    ComPtr<IConnectionPointContainer> container;
    ThrowIfFailed(source_.As(&container));
    ComPtr<IConnectionPoint> point;
    ThrowIfFailed(container->FindConnectionPoint(session_->Host().commandBarEvents, &point));
    return point;
  }

  ComPtr<IDispatch> source_;
  std::shared_ptr<DispatchSession> session_;
};

class EventsObject final : public ide::Events, public DispatchBacked {
 public:
  EventsObject(ComPtr<IDispatch> events, const std::shared_ptr<DispatchSession>& session)
      : events_(std::move(events), session, DispatchInterface::kEvents) {}

  IDispatch* Dispatch() const override { return events_.Get(); }

  std::shared_ptr<ide::CommandBarEvents> CommandBarEvents(
      const std::shared_ptr<ide::CommandBarControl>& control) override {
    const ComPtr<IDispatch> object = DispatchOf(control);
    return WrapEventSource(events_.ReadObject(u"CommandBarEvents", {ObjectArgument(object.Get())}),
                           events_.Session());
  }

 private:
  DispatchObject events_;
};

}  // namespace

std::shared_ptr<ide::Events> WrapEvents(ComPtr<IDispatch> events,
                                        const std::shared_ptr<DispatchSession>& session) {
  if (!events) return nullptr;
  return std::make_shared<EventsObject>(std::move(events), session);
}

std::shared_ptr<ide::CommandBarEvents> WrapEventSource(ComPtr<IDispatch> source,
                                                       const std::shared_ptr<DispatchSession>& session) {
  if (!source) return nullptr;
  return std::make_shared<EventSourceObject>(std::move(source), session);
}

}  // namespace tandrel::win
