#pragma once

#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "win/com/com_ptr.h"

namespace tandrel::win::testing {

// An IDispatch whose members answer from a script, for the conditions a whole IDE cannot easily be made to
// show. Every name it knows gets its own DISPID; every call is recorded with its arguments in member order.
class ScriptedObject final : public IDispatch {
 public:
  struct Call {
    std::u16string member;
    WORD flags = 0;
    std::vector<VARTYPE> types;  // first argument first
    bool namedPropertyPut = false;

    friend bool operator==(const Call&, const Call&) = default;
  };
  using Answer = std::function<HRESULT(DISPPARAMS& params, VARIANT* result, EXCEPINFO* exception)>;

  static ComPtr<ScriptedObject> Make();

  // `name` answers with `answer` from now on.
  void On(const std::u16string& name, Answer answer);
  // QueryInterface answers `iid` besides IUnknown and IDispatch.
  void Implements(const IID& iid) { interfaces_.push_back(iid); }

  const std::vector<Call>& Calls() const { return calls_; }
  int NameLookups() const { return nameLookups_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

 private:
  ScriptedObject() = default;
  ~ScriptedObject() = default;

  LONG references_ = 1;
  std::vector<std::u16string> names_;  // the DISPID of a name is its index plus one
  std::map<DISPID, Answer> answers_;
  std::vector<IID> interfaces_;
  std::vector<Call> calls_;
  int nameLookups_ = 0;
};

// Answers for the script.
ScriptedObject::Answer Returns(IDispatch* object);
ScriptedObject::Answer ReturnsValue(VARIANT value);
ScriptedObject::Answer Succeeds();
ScriptedObject::Answer Fails(HRESULT result);
// Fails with DISP_E_EXCEPTION and `description`.
ScriptedObject::Answer Raises(std::u16string description);
// Fails with DISP_E_EXCEPTION and kLateDescription, filled in only when the caller asks for it.
inline constexpr char16_t kLateDescription[] = u"Method 'Item' of object 'CommandBars' failed";
ScriptedObject::Answer RaisesLate();

}  // namespace tandrel::win::testing
