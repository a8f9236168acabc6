#include "registration/registry_rows.h"

namespace tandrel::registration {
namespace {

// Below HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER.
constexpr std::u16string_view kScopeClasses = u"Software\\Classes";

std::u16string Joined(std::u16string_view parent, std::u16string_view child) {
  std::u16string path(parent);
  if (!path.empty()) path += u'\\';
  path += child;
  return path;
}

// The record's texts are ASCII (its reader refuses anything else), so widening is a copy of the units.
std::u16string Widened(std::string_view text) {
  std::u16string wide;
  wide.reserve(text.size());
  for (char unit : text) wide += static_cast<char16_t>(static_cast<unsigned char>(unit));
  return wide;
}

struct NamedRoot {
  std::string_view name;
  RowRoot root;
};

constexpr NamedRoot kRecordRoots[] = {
    {"HKEY_CURRENT_USER", RowRoot::kCurrentUser},
    {"HKEY_LOCAL_MACHINE", RowRoot::kLocalMachine},
};

}  // namespace

RegistryEntries ServerEntries(const ServerIdentity& server) {
  const std::u16string classKey = Joined(u"CLSID", server.clsid);
  const std::u16string& progId = server.progId;
  return {
      .rows =
          {
              {RowRoot::kClasses, classKey, u"", progId},
              {RowRoot::kClasses, Joined(classKey, u"InprocServer32"), u"", server.serverPath},
              {RowRoot::kClasses, Joined(classKey, u"InprocServer32"), u"ThreadingModel", u"Apartment"},
              {RowRoot::kClasses, Joined(classKey, u"ProgID"), u"", progId},
              {RowRoot::kClasses, Joined(classKey, u"TypeLib"), u"", server.libid},
              {RowRoot::kClasses, progId, u"", progId},
              {RowRoot::kClasses, Joined(progId, u"CLSID"), u"", server.clsid},
          },
      // The class key goes first, so that on 32-bit Windows, whose one view is also the "other" one, the
      // ProgID sees it gone.
      .ownedKeys = {{RowRoot::kClasses, classKey}, {RowRoot::kClasses, progId, classKey}},
  };
}

std::optional<RegistryEntries> AddinListEntries(const AddinRecord& record, std::u16string_view progId) {
  if (!record.satelliteLibrary.empty() || !record.additionalKey.empty()) return std::nullopt;
  const std::string_view rootName = record.registryRoot.substr(0, record.registryRoot.find('\\'));
  const std::string_view idePath = record.registryRoot.substr(rootName.size());
  for (const NamedRoot& known : kRecordRoots) {
    if (known.name != rootName) continue;
    const std::u16string key =
        Joined(Joined(Widened(idePath.empty() ? idePath : idePath.substr(1)), u"Addins"), progId);
    return RegistryEntries{
        .rows =
            {
                {known.root, key, u"FriendlyName", Widened(record.displayName)},
                {known.root, key, u"Description", Widened(record.description)},
                {known.root, key, u"LoadBehavior", record.loadBehavior},
                {known.root, key, u"CommandLineSafe", record.commandLineSafe},
            },
        .ownedKeys = {{known.root, key}},
    };
  }
  return std::nullopt;
}

Hive HiveOf(RowRoot root, Scope scope) {
  switch (root) {
    case RowRoot::kClasses:
      return scope == Scope::kMachine ? Hive::kLocalMachine : Hive::kCurrentUser;
    case RowRoot::kCurrentUser:
      return Hive::kCurrentUser;
    case RowRoot::kLocalMachine:
      return Hive::kLocalMachine;
  }
  return Hive::kCurrentUser;
}

std::u16string PathIn(RowRoot root, std::u16string_view key) {
  if (root == RowRoot::kClasses) return Joined(kScopeClasses, key);
  return std::u16string(key);
}

std::u16string TypeLibraryKey(const ServerIdentity& server) {
  return Joined(Joined(u"TypeLib", server.libid), server.typeLibraryEntry);
}

std::string_view RootName(RowRoot root) {
  static constexpr std::string_view kRootNames[] = {"HKCR", "HKCU", "HKLM"};
  return kRootNames[static_cast<int>(root)];
}

}  // namespace tandrel::registration
