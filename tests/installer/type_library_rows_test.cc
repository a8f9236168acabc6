#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer/type_library_rows.h"
#include "tests/registration/row_lines.h"

namespace tandrel::installer {
namespace {

std::vector<std::string> Lines(const registration::RegistryEntries& entries) {
  std::vector<std::string> lines;
  for (const auto& row : entries.rows) lines.push_back(registration::Describe(row));
  for (const auto& owned : entries.ownedKeys)
    lines.push_back("owns " + std::string(owned.key.begin(), owned.key.end()));
  return lines;
}

struct LibraryCase {
  std::string what;
  TypeLibrary library;
  std::vector<std::string> lines;
};

TEST(TypeLibraryEntries, AreTheRowsTheSystemWritesForTheLibraryAndEachInterface) {
  const TypeLibrary win32{
      .libid = u"{11111111-2222-3333-4444-555555555555}",
      .version = u"1.0",
      .platform = u"win32",
      .helpString = u"Help",
      .path = u"C:\\T\\T.dll",
      .helpFolder = u"C:\\T\\",
      .interfaces = {{u"{AAAAAAAA-2222-3333-4444-555555555555}", u"_Connect"}},
  };
  TypeLibrary win64 = win32;
  win64.platform = u"win64";
  win64.version = u"1.a";
  win64.interfaces.push_back({u"{BBBBBBBB-2222-3333-4444-555555555555}", u"_Other"});
  TypeLibrary bare = win32;
  bare.interfaces.clear();
  const std::string library = "HKCR\\TypeLib\\{11111111-2222-3333-4444-555555555555}";
  const std::string connect = "HKCR\\Interface\\{AAAAAAAA-2222-3333-4444-555555555555}";
  const std::string other = "HKCR\\Interface\\{BBBBBBBB-2222-3333-4444-555555555555}";
  const std::string marshaller = "\"{00020424-0000-0000-C000-000000000046}\"";
  const std::string libid = "\"{11111111-2222-3333-4444-555555555555}\"";
  const std::vector<LibraryCase> cases = {
      {"a 32-bit library",
       win32,
       {library + "\\1.0 @ = \"Help\"", library + "\\1.0\\0\\win32 @ = \"C:\\T\\T.dll\"",
        library + "\\1.0\\FLAGS @ = \"0\"", library + "\\1.0\\HELPDIR @ = \"C:\\T\\\"",
        connect + " @ = \"_Connect\"", connect + "\\ProxyStubClsid @ = " + marshaller,
        connect + "\\ProxyStubClsid32 @ = " + marshaller, connect + "\\TypeLib @ = " + libid,
        connect + "\\TypeLib Version = \"1.0\"", "owns TypeLib\\{11111111-2222-3333-4444-555555555555}",
        "owns Interface\\{AAAAAAAA-2222-3333-4444-555555555555}"}},
      {"a 64-bit library of another version with two interfaces",
       win64,
       {library + "\\1.a @ = \"Help\"", library + "\\1.a\\0\\win64 @ = \"C:\\T\\T.dll\"",
        library + "\\1.a\\FLAGS @ = \"0\"", library + "\\1.a\\HELPDIR @ = \"C:\\T\\\"",
        connect + " @ = \"_Connect\"", connect + "\\ProxyStubClsid @ = " + marshaller,
        connect + "\\ProxyStubClsid32 @ = " + marshaller, connect + "\\TypeLib @ = " + libid,
        connect + "\\TypeLib Version = \"1.a\"", other + " @ = \"_Other\"",
        other + "\\ProxyStubClsid @ = " + marshaller, other + "\\ProxyStubClsid32 @ = " + marshaller,
        other + "\\TypeLib @ = " + libid, other + "\\TypeLib Version = \"1.a\"",
        "owns TypeLib\\{11111111-2222-3333-4444-555555555555}",
        "owns Interface\\{AAAAAAAA-2222-3333-4444-555555555555}",
        "owns Interface\\{BBBBBBBB-2222-3333-4444-555555555555}"}},
      {"a library without interfaces",
       bare,
       {library + "\\1.0 @ = \"Help\"", library + "\\1.0\\0\\win32 @ = \"C:\\T\\T.dll\"",
        library + "\\1.0\\FLAGS @ = \"0\"", library + "\\1.0\\HELPDIR @ = \"C:\\T\\\"",
        "owns TypeLib\\{11111111-2222-3333-4444-555555555555}"}},
  };
  for (const LibraryCase& row : cases)
    EXPECT_EQ(Lines(TypeLibraryEntries(row.library)), row.lines) << row.what;
}

}  // namespace
}  // namespace tandrel::installer
