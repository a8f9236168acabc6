#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <span>
#include <type_traits>
#include <typeindex>
#include <utility>

#include "tests/win/host/host_state.h"
#include "tests/win/host/invocation.h"

namespace tandrel::win::host {

// How a type library declares a member, which decides the Invoke flags it accepts.
enum class MemberKind { kPropertyGet, kPropertyPut, kMethod };

struct MemberShape {
  const wchar_t* name;
  DISPID id;
  MemberKind kind;
  UINT required;  // positional arguments (a property put's value not counted)
  UINT optional;
};

template <typename Self>
struct Member {
  MemberShape shape;
  void (*body)(Self& self, Invocation& call);
};

// Answers QueryInterface with the served object itself, so that an object handed back by a client can be
// told apart from a foreign one and mapped back to the IDE object behind it.
extern const IID kIidServedObject;

// One of the IDE's objects as a COM object: IDispatch by member name, with Invoke checking its flags, its
// argument count and its argument types as a type library's Invoke does, and counting every call.
class ServedObject : public IDispatch {
 public:
  ServedObject(const ServedObject&) = delete;
  ServedObject& operator=(const ServedObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

  // The served object behind `object` (no reference added), or null when it is not one of the host's.
  static ServedObject* Of(IUnknown* object);

 protected:
  ServedObject(std::shared_ptr<HostState> state, const wchar_t* typeName);
  virtual ~ServedObject();

  // The interfaces this object answers beside IUnknown and IDispatch.
  virtual bool Answers(REFIID iid) const = 0;
  virtual std::size_t MemberCount() const = 0;
  virtual const MemberShape& MemberAt(std::size_t index) const = 0;
  virtual void CallMember(std::size_t index, Invocation& call) = 0;

  const std::shared_ptr<HostState>& State() const { return state_; }

 private:
  template <typename Object, typename Key>
  friend IDispatch* Serve(const std::shared_ptr<HostState>& state, Key key);

  // The member `id` that `flags` may call, or MemberCount() when there is none.
  std::size_t Find(DISPID id, WORD flags) const;
  std::wstring MemberName(DISPID id) const;

  std::shared_ptr<HostState> state_;
  const wchar_t* typeName_;
  LONG references_ = 1;
  std::pair<std::type_index, const void*> key_{typeid(void), nullptr};
};

// A served class whose members are the table `Self::Members()`.
template <typename Self>
class Served : public ServedObject {
 protected:
  using ServedObject::ServedObject;

  std::size_t MemberCount() const override { return Self::Members().size(); }
  const MemberShape& MemberAt(std::size_t index) const override { return Self::Members()[index].shape; }
  void CallMember(std::size_t index, Invocation& call) override {
    Self::Members()[index].body(static_cast<Self&>(*this), call);
  }
};

// The one COM object of `key` (an IDE object, or what stands for one) as `Object`, with a new reference;
// null for null.
template <typename Object, typename Key>
IDispatch* Serve(const std::shared_ptr<HostState>& state, Key key) {
  if (!key) return nullptr;
  const void* address = nullptr;
  if constexpr (std::is_polymorphic_v<std::remove_cvref_t<decltype(*key)>>) {
    // An IDE object reached through different interfaces is still one object.
    address = dynamic_cast<const void*>(&*key);
  } else {
    address = &*key;
  }
  const std::pair<std::type_index, const void*> identity{typeid(Object), address};
  if (auto found = state->objects.find(identity); found != state->objects.end()) {
    found->second->AddRef();
    return found->second;
  }
  auto* object = new Object(state, std::move(key));
  object->key_ = identity;
  state->objects.emplace(identity, object);
  return object;
}

}  // namespace tandrel::win::host
