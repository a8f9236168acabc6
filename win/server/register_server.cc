// What regsvr32 asks of this deliverable, from its own identity and, where it carries one, its add-in record.
#include "win/server/register_server.h"

#include <string>

#include "deliverable.h"
#include "registration/register.h"
#include "registration/vba_addin.h"
#include "win/com/com_error.h"
#include "win/registration/win32_registry.h"
#include "win/registration/win32_type_libraries.h"
#include "win/server/server_module.h"

namespace tandrel::win {
namespace {

using registration::Outcome;
using registration::Part;
using registration::RegistrationResult;

std::u16string GuidText(const GUID& guid) {
  wchar_t text[39];
  StringFromGUID2(guid, text, 39);
  return {text, text + 38};
}

HRESULT ToHresult(const RegistrationResult& result, const Win32Registry& registry,
                  const Win32TypeLibraries& typeLibraries) {
  if (result.outcome == Outcome::kDone) return S_OK;
  if (result.outcome == Outcome::kDenied) return E_ACCESSDENIED;
  HRESULT failure = E_FAIL;
  if (result.failedPart == Part::kRegistry) failure = registry.FirstFailure();
  if (result.failedPart == Part::kTypeLibrary) failure = typeLibraries.FirstFailure();
  return FAILED(failure) ? failure : E_FAIL;
}

template <typename Action>
HRESULT WithRegistration(Action action, registration::Scope scope) noexcept {
  return ComBoundary(deliverable::kClsid, [&]() -> HRESULT {
    const std::wstring path = ThisModulePath();
    if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
    Win32TypeLibraries typeLibraries;
    if (const HRESULT loaded = typeLibraries.Load(path); FAILED(loaded)) return loaded;
    registration::ServerRegistration server{
        .server =
            {
                .progId =
                    std::u16string(deliverable::kProgId, deliverable::kProgId + wcslen(deliverable::kProgId)),
                .clsid = GuidText(deliverable::kClsid),
                .libid = GuidText(deliverable::kLibid),
                .typeLibraryEntry = typeLibraries.EntryKeyName(),
                .serverPath = std::u16string(path.begin(), path.end()),
            },
        .addinRecord = deliverable::kAddinRecord,
    };
    // The Office VBA editor's add-in list entry has no add-in record: it is written as rows.
    if (deliverables::Of(deliverable::kBuild).host == addin::Host::kOfficeEditor) {
      const auto bitness =
          sizeof(void*) == 8 ? registration::OfficeBitness::k64 : registration::OfficeBitness::k32;
      server.addinList =
          registration::EditorAddinListEntries(registration::kVbaAddin, server.server.progId, bitness);
    }
    Win32Registry registry;
    return ToHresult(action(server, scope, registry, typeLibraries), registry, typeLibraries);
  });
}

}  // namespace

HRESULT RegisterServer() noexcept {
  return WithRegistration(registration::Register, registration::Scope::kMachine);
}

HRESULT UnregisterServer() noexcept {
  return WithRegistration(registration::Unregister, registration::Scope::kMachine);
}

HRESULT InstallServer(bool install, const wchar_t* commandLine) noexcept {
  if (!commandLine) return E_INVALIDARG;
  if (_wcsicmp(commandLine, L"user") == 0) {
    return WithRegistration(install ? registration::Register : registration::Unregister,
                            registration::Scope::kUser);
  }
  if (_wcsicmp(commandLine, L"addin") != 0) return E_INVALIDARG;
  return WithRegistration(
      [install](const registration::ServerRegistration& server, registration::Scope,
                registration::RegistryPort& registry, registration::TypeLibraryPort& typeLibraries) {
        return install ? registration::EnterInAddinList(server, registry, typeLibraries)
                       : registration::RemoveFromAddinList(server, registry);
      },
      registration::Scope::kUser);
}

}  // namespace tandrel::win
