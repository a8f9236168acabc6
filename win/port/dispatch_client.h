#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "win/com/com_ptr.h"
#include "win/port/host_interfaces.h"

namespace tandrel::win {

// The IDE's interfaces as the port reaches them. Member ids are looked up per interface: one name can have
// another id on another interface.
enum class DispatchInterface {
  kApplication,
  kVBE,
  kWindow,
  kEvents,
  kCommandBars,
  kCommandBar,
  kCommandBarControls,
  kCommandBarControl,
  kCommandBarButton,
  kCodePane,
  kCodeModule,
  kCount,
};

// What every port object made from one application object (or one event source) shares: the host's interface
// identifiers and the member ids already asked for, so that each name costs one GetIDsOfNames per connection
// and a walk over the module's lines costs one Invoke per line.
class DispatchSession {
 public:
  explicit DispatchSession(const HostInterfaces& host, AddinOwner owner = {})
      : host_(host), owner_(std::move(owner)), owned_(!owner_.expired()) {}

  const HostInterfaces& Host() const { return host_; }
  // A new reference to the add-in object whose code the IDE's calls run; null once that object is gone. A
  // session made without one answers null too, and says so by OwnerGone() being false.
  ComPtr<IUnknown> Owner() const;
  bool OwnerGone() const { return owned_ && owner_.expired(); }
  // The id of `name` on `object`, an object of the kind `kind`; raises the port's error when it has none.
  DISPID IdOf(IDispatch* object, DispatchInterface kind, std::u16string_view name);

 private:
  HostInterfaces host_;
  AddinOwner owner_;
  bool owned_;
  std::vector<std::pair<std::u16string, DISPID>> ids_[static_cast<int>(DispatchInterface::kCount)];
};

// Arguments for Invoke, borrowed from the caller for the length of one call: nothing here is owned or freed.
VARIANT LongArgument(std::int32_t value);
VARIANT BoolArgument(bool value);
VARIANT TextArgument(BSTR text);
VARIANT ObjectArgument(IDispatch* object);
// An optional argument left out.
VARIANT OmittedArgument();
// An out argument that the callee writes into `slot`.
VARIANT LongOutArgument(LONG* slot);

// One of the IDE's objects with the session it belongs to. Arguments are given in the member's own order.
class DispatchObject {
 public:
  DispatchObject(ComPtr<IDispatch> object, std::shared_ptr<DispatchSession> session, DispatchInterface kind)
      : object_(std::move(object)), session_(std::move(session)), kind_(kind) {}

  IDispatch* Get() const { return object_.Get(); }
  const std::shared_ptr<DispatchSession>& Session() const { return session_; }

  // Property reads. An object property that holds Nothing reads as null.
  ComPtr<IDispatch> ReadObject(std::u16string_view name, std::initializer_list<VARIANT> arguments = {}) const;
  std::int32_t ReadLong(std::u16string_view name, std::initializer_list<VARIANT> arguments = {}) const;
  std::int64_t ReadLongLong(std::u16string_view name) const;
  std::u16string ReadText(std::u16string_view name, std::initializer_list<VARIANT> arguments = {}) const;

  void Put(std::u16string_view name, VARIANT value) const;

  ComPtr<IDispatch> CallForObject(std::u16string_view name, std::initializer_list<VARIANT> arguments) const;
  void Call(std::u16string_view name, std::initializer_list<VARIANT> arguments) const;

 private:
  void Invoke(WORD flags, std::u16string_view name, std::initializer_list<VARIANT> arguments,
              VARIANT* result) const;

  ComPtr<IDispatch> object_;
  std::shared_ptr<DispatchSession> session_;
  DispatchInterface kind_;
};

// The object a result holds: null for Nothing (an empty or Null result, or a null reference); "Type mismatch"
// for anything that is no object.
ComPtr<IDispatch> ObjectFrom(const VARIANT& value);

// The same object asked for another of its interfaces (a dual one, reached through its IDispatch); raises
// "Type mismatch" when the object refuses.
ComPtr<IDispatch> QueryDual(IDispatch* object, const IID& iid);

// Basic's text for a value of the wrong type.
[[noreturn]] void RaiseTypeMismatch();

}  // namespace tandrel::win
