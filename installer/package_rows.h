#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "registration/registry_rows.h"

namespace tandrel::installer {

// The machine a DLL is built for, as its type library's registry key names it.
enum class Platform { kWin32, kWin64 };

// How the deliverable's IDE finds its add-ins.
enum class AddinList {
  kVb6Designer,  // the VB6 IDE's registry list, written from the add-in record the DLL carries
  kVb5IniFile,   // VB5's VBADDIN.INI in the Windows folder
  kVbaEditor,    // the Office VBA editor's registry list of the DLL's bitness
};

// One deliverable, as cmake/products.cmake names it. GUIDs in registry form.
struct Deliverable {
  std::u16string_view title;
  std::u16string_view clsid;
  std::u16string_view libid;
  std::u16string_view connectIid;
  std::u16string_view libraryHelp;  // the type library's help string
  AddinList addinList;
};

// A line of an INI file: `key=value` in `[section]`.
struct IniLine {
  std::u16string file;
  std::u16string section;
  std::u16string key;
  std::u16string value;

  bool operator==(const IniLine&) const = default;
};

// What installing one DLL writes besides the file: the registry rows its DllRegisterServer writes (with the
// rows the system's type-library registration adds), and the INI lines of an IDE that lists add-ins there.
struct ServerRows {
  registration::RegistryEntries registry;
  std::vector<IniLine> iniLines;
};

// The ProgID of `deliverable`'s Connect class.
std::u16string ProgIdOf(const Deliverable& deliverable);

// The rows of `deliverable` built for `platform`, installed as `filePath` in `folder` (named with its closing
// backslash). In a package both are the installer's formatted references; in a check, real paths.
ServerRows RowsOf(const Deliverable& deliverable, Platform platform, std::u16string_view filePath,
                  std::u16string_view folder);

}  // namespace tandrel::installer
