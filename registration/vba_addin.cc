#include "registration/vba_addin.h"

#include <string>

namespace tandrel::registration {

RegistryEntries EditorAddinListEntries(const EditorAddin& addin, std::u16string_view progId,
                                       OfficeBitness bitness) {
  std::u16string key = u"Software\\Microsoft\\VBA\\VBE\\6.0\\";
  key += bitness == OfficeBitness::k64 ? u"Addins64\\" : u"Addins\\";
  key += progId;
  return {
      .rows =
          {
              {RowRoot::kCurrentUser, key, u"FriendlyName", std::u16string(addin.friendlyName)},
              {RowRoot::kCurrentUser, key, u"Description", std::u16string(addin.description)},
              {RowRoot::kCurrentUser, key, u"LoadBehavior", addin.loadBehavior},
          },
      .ownedKeys = {{RowRoot::kCurrentUser, key}},
  };
}

}  // namespace tandrel::registration
