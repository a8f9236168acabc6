#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registration/addin_record.h"
#include "registration/registry_port.h"

namespace tandrel::registration {

// Where a row lives. kClasses is the classes of the scope registered for: HKEY_LOCAL_MACHINE\Software\Classes
// for the machine, HKEY_CURRENT_USER\Software\Classes for the user. (An installer's registry table names it
// HKEY_CLASSES_ROOT, which Windows Installer maps to the package's scope.)
enum class RowRoot { kClasses, kCurrentUser, kLocalMachine };

// One registry value a server writes. Plain data: the servers write these rows, and an installer's registry
// table can be generated from the same rows.
struct RegistryRow {
  RowRoot root;
  std::u16string key;
  std::u16string name;  // empty: the key's default value
  RegistryValue value;

  bool operator==(const RegistryRow&) const = default;
};

// A key that belongs to one server alone, so that unregistration deletes it whole. The parents of such keys
// (CLSID, the IDE's Addins) are shared and never deleted.
struct OwnedKey {
  RowRoot root;
  std::u16string key;
  // A key that the other registry view shares, such as a ProgID on 64-bit Windows, stays while that view
  // still holds this key (in the same root): the other bitness's build of the server still needs it.
  std::u16string keptWhileOtherViewHas = {};

  bool operator==(const OwnedKey&) const = default;
};

struct RegistryEntries {
  std::vector<RegistryRow> rows;
  std::vector<OwnedKey> ownedKeys;
};

// What names one in-process server. GUIDs in registry form, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
struct ServerIdentity {
  std::u16string progId;
  std::u16string clsid;
  std::u16string libid;
  // The type library's own key below its LIBID's, as the system names it: version, locale and platform,
  // such as "1.0\\0\\win32" (numbers in hexadecimal). It tells whether this build's library is registered,
  // apart from another platform's build of the same library.
  std::u16string typeLibraryEntry;
  std::u16string serverPath;  // the DLL's full path
};

// The class under its CLSID (served in-process, apartment-threaded, with its ProgID and type library) and
// the ProgID that leads back to it.
RegistryEntries ServerEntries(const ServerIdentity& server);

// The IDE's add-in list entry for `progId`, under the key the record's root names. Nothing when the root is
// not one of the registry's known keys, or when the record asks for a satellite library or an additional key,
// which this entry has no place for.
std::optional<RegistryEntries> AddinListEntries(const AddinRecord& record, std::u16string_view progId);

// Where `root` is in the registry for `scope`, and the key path that leads to `key` from there.
Hive HiveOf(RowRoot root, Scope scope);
std::u16string PathIn(RowRoot root, std::u16string_view key);

// The key of a server's registered type library, which tells whether it is registered.
std::u16string TypeLibraryKey(const ServerIdentity& server);

// The short name of a row's root, as registry files and listings write it: "HKCR", "HKCU" or "HKLM".
std::string_view RootName(RowRoot root);

}  // namespace tandrel::registration
