#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "registration/registry_port.h"

namespace tandrel::registration::testing {

// An in-memory registry that, like the real one, ignores case in key and value names. Writes can be
// denied per predefined key, and the n-th write can be made to fail, to drive the undo.
//
// HKEY_CLASSES_ROOT is a view, as Windows makes it: the user's classes (HKCU\Software\Classes) over the
// machine's (HKLM\Software\Classes). A write through it lands in the user's where the key exists there, and
// in the machine's otherwise; an elevated process sees the machine's alone. Keys of the other registry view
// (the other bitness's CLSID keys on 64-bit Windows) are kept apart.
class FakeRegistry final : public RegistryPort {
 public:
  // The process runs as an elevated administrator: HKEY_CLASSES_ROOT shows the machine's classes alone.
  void Elevate() { elevated_ = true; }
  // Adds a key, with its missing parents, to the other registry view.
  void AddToOtherView(Hive hive, std::u16string_view path);

  // Adds a key with its missing parents, outside the count of writes.
  void Add(Hive hive, std::u16string_view path);
  void Add(Hive hive, std::u16string_view path, std::u16string_view name, const RegistryValue& value);
  // Removes a key with everything below it, outside the count of writes.
  void Remove(Hive hive, std::u16string_view path);
  // Whether the key exists and holds neither values nor keys.
  bool IsEmpty(Hive hive, std::u16string_view path);

  // Writes to these keys are denied from now on, and to no others.
  void DenyWrites(std::set<Hive> hives) { denied_ = std::move(hives); }
  // The `number`-th write from now on fails; 0 lets all writes through.
  void FailWrite(int number) {
    failAt_ = number;
    writes_ = 0;
  }
  int Writes() const { return writes_; }

  // Counts one write to the key and says whether it may happen; the fake type libraries write through it too.
  Outcome Permit(Hive hive, std::u16string_view path);

  // Every key and every value, one line each, as registration's own rows describe them.
  std::set<std::string> Lines() const;

  Outcome CreateKey(Hive hive, std::u16string_view path) override;
  Outcome SetValue(Hive hive, std::u16string_view path, std::u16string_view name,
                   const RegistryValue& value) override;
  Outcome DeleteValue(Hive hive, std::u16string_view path, std::u16string_view name) override;
  Outcome DeleteKey(Hive hive, std::u16string_view path) override;
  bool KeyExists(Hive hive, std::u16string_view path) override;
  bool KeyExistsInOtherView(Hive hive, std::u16string_view path) override;
  std::optional<RegistryValue> ReadValue(Hive hive, std::u16string_view path,
                                         std::u16string_view name) override;

 private:
  struct Named {
    std::u16string name;  // as first written
    RegistryValue value;
  };
  struct Key {
    std::u16string path;  // as first written
    std::map<std::u16string, Named> values;
  };
  using Location = std::pair<Hive, std::u16string>;

  // A key where it is stored: under the user's or the machine's key, never HKEY_CLASSES_ROOT.
  struct Place {
    Hive hive;
    std::u16string path;
  };

  static Location Folded(const Place& place);
  // Where an existing key named through HKEY_CLASSES_ROOT is; any other key is where it is named.
  Place Placed(Hive hive, std::u16string_view path) const;
  // Where a new key goes: beside its parent, wherever the view finds that.
  Place PlacedNew(Hive hive, std::u16string_view path) const;
  Key* Find(const Place& place);
  void AddAt(const Place& place);
  void RemoveAt(const Place& place);

  std::map<Location, Key> keys_;
  std::set<Location> otherView_;
  bool elevated_ = false;
  std::set<Hive> denied_;
  int failAt_ = 0;
  int writes_ = 0;
};

// Type-library registration as the system does it, in the fake registry: the library's entry for its
// version, locale and platform under the scope's classes. Registering for a scope can be denied on its own.
class FakeTypeLibraries final : public TypeLibraryPort {
 public:
  FakeTypeLibraries(FakeRegistry& registry, std::u16string libraryKey, std::u16string title)
      : registry_(registry), libraryKey_(std::move(libraryKey)), title_(std::move(title)) {}

  // Registering for these scopes is denied from now on, and for no others.
  void Deny(std::set<Scope> scopes) { denied_ = std::move(scopes); }

  Outcome Register(Scope scope) override;
  Outcome Unregister(Scope scope) override;

 private:
  FakeRegistry& registry_;
  std::u16string libraryKey_;  // TypeLib\{libid}\version\locale\platform
  std::u16string title_;
  std::set<Scope> denied_;
};

}  // namespace tandrel::registration::testing
