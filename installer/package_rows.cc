#include "installer/package_rows.h"

#include <optional>
#include <stdexcept>

#include "installer/type_library_rows.h"
#include "registration/addin_record.h"
#include "registration/vb6_addin_record.h"
#include "registration/vba_addin.h"

namespace tandrel::installer {
namespace {

using registration::RegistryEntries;

void Append(RegistryEntries& entries, const RegistryEntries& more) {
  entries.rows.insert(entries.rows.end(), more.rows.begin(), more.rows.end());
  entries.ownedKeys.insert(entries.ownedKeys.end(), more.ownedKeys.begin(), more.ownedKeys.end());
}

// The VB6 IDE's entry, from the same record the DLL carries and registers from. A record the DLL could not
// register from must not make a package either.
RegistryEntries Vb6AddinListEntries(std::u16string_view progId) {
  const std::optional<registration::AddinRecord> record =
      registration::ParseAddinRecord(registration::kVb6AddinRecord);
  std::optional<RegistryEntries> entries;
  if (record) entries = registration::AddinListEntries(*record, progId);
  if (!entries) throw std::logic_error("the VB6 add-in record names no entry registration can write");
  return *entries;
}

}  // namespace

std::u16string ProgIdOf(const Deliverable& deliverable) {
  return std::u16string(deliverable.title) + u".Connect";
}

ServerRows RowsOf(const Deliverable& deliverable, Platform platform, std::u16string_view filePath,
                  std::u16string_view folder) {
  const std::u16string progId = ProgIdOf(deliverable);
  ServerRows rows;
  // The type library's key is not part of the server's own rows, so the identity leaves it out.
  registration::ServerIdentity server;
  server.progId = progId;
  server.clsid = deliverable.clsid;
  server.libid = deliverable.libid;
  server.serverPath = filePath;
  rows.registry = registration::ServerEntries(server);
  Append(rows.registry, TypeLibraryEntries({
                            .libid = std::u16string(deliverable.libid),
                            .version = u"1.0",
                            .platform = platform == Platform::kWin64 ? u"win64" : u"win32",
                            .helpString = std::u16string(deliverable.libraryHelp),
                            .path = std::u16string(filePath),
                            .helpFolder = std::u16string(folder),
                            .interfaces = {{std::u16string(deliverable.connectIid), u"_Connect"}},
                        }));
  switch (deliverable.addinList) {
    case AddinList::kVb6Designer:
      Append(rows.registry, Vb6AddinListEntries(progId));
      break;
    case AddinList::kVb5IniFile:
      // Listed as available (0); the user loads it in VB5's Add-In Manager.
      rows.iniLines.push_back({u"VBADDIN.INI", u"Add-Ins32", progId, u"0"});
      break;
    case AddinList::kVbaEditor:
      Append(rows.registry, registration::EditorAddinListEntries(registration::kVbaAddin, progId,
                                                                 platform == Platform::kWin64
                                                                     ? registration::OfficeBitness::k64
                                                                     : registration::OfficeBitness::k32));
      break;
  }
  return rows;
}

}  // namespace tandrel::installer
