#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tandrel::win::testing {

// Reads of the registry as a test checks it; a missing key or value is nullopt.
bool KeyExists(HKEY root, const std::wstring& path);
std::optional<std::wstring> StringValue(HKEY root, const std::wstring& path, const wchar_t* name = nullptr);
std::optional<DWORD> DwordValue(HKEY root, const std::wstring& path, const wchar_t* name);

}  // namespace tandrel::win::testing
