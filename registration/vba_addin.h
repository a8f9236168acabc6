#pragma once

#include <cstdint>
#include <string_view>

#include "registration/registry_rows.h"

namespace tandrel::registration {

// Which Office the deliverable is built for. The VBA editor of 32-bit Office lists its add-ins under Addins,
// that of 64-bit Office under Addins64: a process loads DLLs of its own bitness only.
enum class OfficeBitness { k32, k64 };

// What the Office VBA editor's Add-In Manager shows and does with an add-in.
struct EditorAddin {
  std::u16string_view friendlyName;
  std::u16string_view description;
  std::uint32_t loadBehavior = 0;
};

// The TandrelVBA deliverable's entry: loaded when the editor starts (3).
inline constexpr EditorAddin kVbaAddin{
    .friendlyName = u"Tandrel 2.0 for VBA",
    .description = u"Finds matching parentheses, quotation marks and keywords.",
    .loadBehavior = 3,
};

// The editor's add-in list entry for `progId`. The editor reads it from the current user's registry alone,
// so it stays there whatever scope the classes went to.
RegistryEntries EditorAddinListEntries(const EditorAddin& addin, std::u16string_view progId,
                                       OfficeBitness bitness);

}  // namespace tandrel::registration
