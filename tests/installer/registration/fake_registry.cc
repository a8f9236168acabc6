#include "tests/installer/registration/fake_registry.h"

#include <algorithm>

#include "installer/registration/registry_rows.h"

namespace tandrel::registration::testing {
namespace {

std::u16string Folded(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& unit : folded) {
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
  }
  return folded;
}

std::u16string_view ParentOf(std::u16string_view path) {
  const std::size_t slash = path.rfind(u'\\');
  return slash == std::u16string_view::npos ? std::u16string_view{} : path.substr(0, slash);
}

RowRoot RootOf(Hive hive) {
  switch (hive) {
    case Hive::kClassesRoot:
      return RowRoot::kClasses;
    case Hive::kCurrentUser:
      return RowRoot::kCurrentUser;
    case Hive::kLocalMachine:
      return RowRoot::kLocalMachine;
  }
  return RowRoot::kClasses;
}

}  // namespace

FakeRegistry::Location FakeRegistry::Folded(Hive hive, std::u16string_view path) {
  return {hive, testing::Folded(path)};
}

FakeRegistry::Key* FakeRegistry::Find(Hive hive, std::u16string_view path) {
  const auto found = keys_.find(Folded(hive, path));
  return found == keys_.end() ? nullptr : &found->second;
}

void FakeRegistry::Add(Hive hive, std::u16string_view path) {
  if (path.empty() || Find(hive, path)) return;
  Add(hive, ParentOf(path));
  keys_[Folded(hive, path)].path = path;
}

void FakeRegistry::Add(Hive hive, std::u16string_view path, std::u16string_view name,
                       const RegistryValue& value) {
  Add(hive, path);
  Find(hive, path)->values[testing::Folded(name)] = {std::u16string(name), value};
}

Outcome FakeRegistry::Permit(Hive hive) {
  if (denied_.contains(hive)) return Outcome::kDenied;
  return ++writes_ == failAt_ ? Outcome::kFailed : Outcome::kDone;
}

std::set<std::string> FakeRegistry::Lines() const {
  std::set<std::string> lines;
  for (const auto& [location, key] : keys_) {
    const RowRoot root = RootOf(location.first);
    // A key without values shows as its path alone: the text of a row whose value part is cut off.
    const std::string keyLine = Describe({root, key.path, u"", u""});
    lines.insert(keyLine.substr(0, keyLine.find(" @ = ")));
    for (const auto& [folded, named] : key.values)
      lines.insert(Describe({root, key.path, named.name, named.value}));
  }
  return lines;
}

Outcome FakeRegistry::CreateKey(Hive hive, std::u16string_view path) {
  if (const Outcome permitted = Permit(hive); permitted != Outcome::kDone) return permitted;
  const std::u16string_view parent = ParentOf(path);
  // The port promises an existing parent; a missing one is a fault of the caller.
  if (!parent.empty() && !Find(hive, parent)) return Outcome::kFailed;
  Add(hive, path);
  return Outcome::kDone;
}

Outcome FakeRegistry::SetValue(Hive hive, std::u16string_view path, std::u16string_view name,
                               const RegistryValue& value) {
  if (const Outcome permitted = Permit(hive); permitted != Outcome::kDone) return permitted;
  Key* key = Find(hive, path);
  if (!key) return Outcome::kFailed;
  auto& named = key->values[testing::Folded(name)];
  if (named.name.empty()) named.name = name;
  named.value = value;
  return Outcome::kDone;
}

Outcome FakeRegistry::DeleteValue(Hive hive, std::u16string_view path, std::u16string_view name) {
  if (const Outcome permitted = Permit(hive); permitted != Outcome::kDone) return permitted;
  Key* key = Find(hive, path);
  if (!key || key->values.erase(testing::Folded(name)) == 0) return Outcome::kFailed;
  return Outcome::kDone;
}

Outcome FakeRegistry::DeleteKey(Hive hive, std::u16string_view path) {
  if (const Outcome permitted = Permit(hive); permitted != Outcome::kDone) return permitted;
  if (!Find(hive, path)) return Outcome::kFailed;
  Remove(hive, path);
  return Outcome::kDone;
}

void FakeRegistry::Remove(Hive hive, std::u16string_view path) {
  const Location top = Folded(hive, path);
  const std::u16string below = top.second + u'\\';
  std::erase_if(keys_, [&](const auto& entry) {
    const Location& location = entry.first;
    return location.first == hive && (location == top || location.second.starts_with(below));
  });
}

bool FakeRegistry::IsEmpty(Hive hive, std::u16string_view path) {
  const Key* key = Find(hive, path);
  if (!key || !key->values.empty()) return false;
  const std::u16string below = Folded(hive, path).second + u'\\';
  return std::none_of(keys_.begin(), keys_.end(), [&](const auto& entry) {
    return entry.first.first == hive && entry.first.second.starts_with(below);
  });
}

bool FakeRegistry::KeyExists(Hive hive, std::u16string_view path) { return Find(hive, path) != nullptr; }

std::optional<RegistryValue> FakeRegistry::ReadValue(Hive hive, std::u16string_view path,
                                                     std::u16string_view name) {
  const Key* key = Find(hive, path);
  if (!key) return std::nullopt;
  const auto found = key->values.find(testing::Folded(name));
  if (found == key->values.end()) return std::nullopt;
  return found->second.value;
}

Outcome FakeTypeLibraries::Register(Scope scope) {
  if (denied_.contains(scope)) return Outcome::kDenied;
  const Hive hive = HiveOf(RowRoot::kClasses, scope);
  if (const Outcome permitted = registry_.Permit(hive); permitted != Outcome::kDone) return permitted;
  registry_.Add(hive, PathIn(RowRoot::kClasses, scope, libraryKey_), u"", title_);
  return Outcome::kDone;
}

// As the system does: the entry goes, and with it each key above it, up to the library's own, that it leaves
// empty; another platform's entry of the same library stays.
Outcome FakeTypeLibraries::Unregister(Scope scope) {
  if (denied_.contains(scope)) return Outcome::kDenied;
  const Hive hive = HiveOf(RowRoot::kClasses, scope);
  if (const Outcome permitted = registry_.Permit(hive); permitted != Outcome::kDone) return permitted;
  const std::u16string entryKey = PathIn(RowRoot::kClasses, scope, libraryKey_);
  if (!registry_.KeyExists(hive, entryKey)) return Outcome::kFailed;
  registry_.Remove(hive, entryKey);
  for (std::u16string_view key = ParentOf(entryKey);
       !key.ends_with(u"TypeLib") && registry_.IsEmpty(hive, key); key = ParentOf(key)) {
    registry_.Remove(hive, key);
  }
  return Outcome::kDone;
}

}  // namespace tandrel::registration::testing
