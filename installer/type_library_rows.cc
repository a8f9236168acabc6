#include "installer/type_library_rows.h"

namespace tandrel::installer {
namespace {

using registration::OwnedKey;
using registration::RegistryEntries;
using registration::RowRoot;

// The system's marshaller for interfaces described by a registered type library.
constexpr std::u16string_view kTypeLibraryMarshaller = u"{00020424-0000-0000-C000-000000000046}";

}  // namespace

RegistryEntries TypeLibraryEntries(const TypeLibrary& library) {
  const std::u16string libraryKey = u"TypeLib\\" + library.libid;
  const std::u16string versionKey = libraryKey + u"\\" + library.version;
  RegistryEntries entries{
      .rows =
          {
              {RowRoot::kClasses, versionKey, u"", library.helpString},
              {RowRoot::kClasses, versionKey + u"\\0\\" + library.platform, u"", library.path},
              {RowRoot::kClasses, versionKey + u"\\FLAGS", u"", u"0"},
              {RowRoot::kClasses, versionKey + u"\\HELPDIR", u"", library.helpFolder},
          },
      .ownedKeys = {OwnedKey{RowRoot::kClasses, libraryKey}},
  };
  for (const LibraryInterface& interface : library.interfaces) {
    const std::u16string key = u"Interface\\" + interface.iid;
    const std::u16string marshaller(kTypeLibraryMarshaller);
    entries.rows.insert(entries.rows.end(),
                        {
                            {RowRoot::kClasses, key, u"", interface.name},
                            {RowRoot::kClasses, key + u"\\ProxyStubClsid", u"", marshaller},
                            {RowRoot::kClasses, key + u"\\ProxyStubClsid32", u"", marshaller},
                            {RowRoot::kClasses, key + u"\\TypeLib", u"", library.libid},
                            {RowRoot::kClasses, key + u"\\TypeLib", u"Version", library.version},
                        });
    entries.ownedKeys.push_back({RowRoot::kClasses, key});
  }
  return entries;
}

}  // namespace tandrel::installer
