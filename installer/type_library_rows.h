#pragma once

#include <string>
#include <vector>

#include "registration/registry_rows.h"

namespace tandrel::installer {

// An interface of a type library that the system registers with it: the dual and dispatch interfaces.
struct LibraryInterface {
  std::u16string iid;
  std::u16string name;
};

// What the system's RegisterTypeLib reads from a type library and its file. GUIDs in registry form.
struct TypeLibrary {
  std::u16string libid;
  std::u16string version;   // major.minor in hexadecimal, as its key names it
  std::u16string platform;  // "win32" or "win64"
  std::u16string helpString;
  std::u16string path;        // the file that holds the library
  std::u16string helpFolder;  // as the registering code passes it
  std::vector<LibraryInterface> interfaces;
};

// The rows RegisterTypeLib writes for `library` in the language-neutral locale: the library's key with its
// help string, path, flags and help folder, and each interface's key that leads marshalling to the library.
// An installer writes these rows itself instead of calling the DLL at install time.
registration::RegistryEntries TypeLibraryEntries(const TypeLibrary& library);

}  // namespace tandrel::installer
