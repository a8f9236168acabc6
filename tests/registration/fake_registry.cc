#include "tests/registration/fake_registry.h"

#include <algorithm>

#include "tests/registration/row_lines.h"

namespace tandrel::registration::testing {
namespace {

constexpr std::u16string_view kClasses = u"Software\\Classes\\";

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
  return hive == Hive::kCurrentUser ? RowRoot::kCurrentUser : RowRoot::kLocalMachine;
}

// Whether a stored key, hive and folded path, is `top` or below it.
bool IsBelow(const std::pair<Hive, std::u16string>& location, const std::pair<Hive, std::u16string>& top) {
  return location.first == top.first &&
         (location.second == top.second || location.second.starts_with(top.second + u'\\'));
}

}  // namespace

FakeRegistry::Location FakeRegistry::Folded(const Place& place) {
  return {place.hive, testing::Folded(place.path)};
}

FakeRegistry::Place FakeRegistry::Placed(Hive hive, std::u16string_view path) const {
  if (hive != Hive::kClassesRoot) return {hive, std::u16string(path)};
  Place user{Hive::kCurrentUser, std::u16string(kClasses) + std::u16string(path)};
  if (!elevated_ && keys_.contains(Folded(user))) return user;
  return {Hive::kLocalMachine, std::move(user.path)};
}

FakeRegistry::Place FakeRegistry::PlacedNew(Hive hive, std::u16string_view path) const {
  const std::u16string_view parent = ParentOf(path);
  if (hive != Hive::kClassesRoot || parent.empty()) return Placed(hive, path);
  Place place = Placed(hive, parent);
  place.path += path.substr(parent.size());
  return place;
}

FakeRegistry::Key* FakeRegistry::Find(const Place& place) {
  const auto found = keys_.find(Folded(place));
  return found == keys_.end() ? nullptr : &found->second;
}

void FakeRegistry::AddAt(const Place& place) {
  if (place.path.empty() || Find(place)) return;
  AddAt({place.hive, std::u16string(ParentOf(place.path))});
  keys_[Folded(place)].path = place.path;
}

void FakeRegistry::RemoveAt(const Place& place) {
  const Location top = Folded(place);
  std::erase_if(keys_, [&](const auto& entry) { return IsBelow(entry.first, top); });
}

void FakeRegistry::Add(Hive hive, std::u16string_view path) { AddAt(PlacedNew(hive, path)); }

void FakeRegistry::Add(Hive hive, std::u16string_view path, std::u16string_view name,
                       const RegistryValue& value) {
  Add(hive, path);
  Find(Placed(hive, path))->values[testing::Folded(name)] = {std::u16string(name), value};
}

void FakeRegistry::AddToOtherView(Hive hive, std::u16string_view path) {
  for (std::u16string_view key = path; !key.empty(); key = ParentOf(key)) {
    otherView_.insert(Folded(Placed(hive, key)));
  }
}

Outcome FakeRegistry::Permit(Hive hive, std::u16string_view path) {
  if (denied_.contains(PlacedNew(hive, path).hive)) return Outcome::kDenied;
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
  if (const Outcome permitted = Permit(hive, path); permitted != Outcome::kDone) return permitted;
  const std::u16string_view parent = ParentOf(path);
  // The port promises an existing parent; a missing one is a fault of the caller.
  if (!parent.empty() && !Find(Placed(hive, parent))) return Outcome::kFailed;
  AddAt(PlacedNew(hive, path));
  return Outcome::kDone;
}

Outcome FakeRegistry::SetValue(Hive hive, std::u16string_view path, std::u16string_view name,
                               const RegistryValue& value) {
  if (const Outcome permitted = Permit(hive, path); permitted != Outcome::kDone) return permitted;
  Key* key = Find(Placed(hive, path));
  if (!key) return Outcome::kFailed;
  auto& named = key->values[testing::Folded(name)];
  if (named.name.empty()) named.name = name;
  named.value = value;
  return Outcome::kDone;
}

Outcome FakeRegistry::DeleteValue(Hive hive, std::u16string_view path, std::u16string_view name) {
  if (const Outcome permitted = Permit(hive, path); permitted != Outcome::kDone) return permitted;
  Key* key = Find(Placed(hive, path));
  if (!key || key->values.erase(testing::Folded(name)) == 0) return Outcome::kFailed;
  return Outcome::kDone;
}

Outcome FakeRegistry::DeleteKey(Hive hive, std::u16string_view path) {
  if (const Outcome permitted = Permit(hive, path); permitted != Outcome::kDone) return permitted;
  if (!KeyExists(hive, path)) return Outcome::kFailed;
  Remove(hive, path);
  return Outcome::kDone;
}

void FakeRegistry::Remove(Hive hive, std::u16string_view path) { RemoveAt(Placed(hive, path)); }

bool FakeRegistry::IsEmpty(Hive hive, std::u16string_view path) {
  const Place place = Placed(hive, path);
  const Key* key = Find(place);
  if (!key || !key->values.empty()) return false;
  const Location top = Folded(place);
  return std::none_of(keys_.begin(), keys_.end(),
                      [&](const auto& entry) { return entry.first != top && IsBelow(entry.first, top); });
}

bool FakeRegistry::KeyExists(Hive hive, std::u16string_view path) {
  return Find(Placed(hive, path)) != nullptr;
}

bool FakeRegistry::KeyExistsInOtherView(Hive hive, std::u16string_view path) {
  return otherView_.contains(Folded(Placed(hive, path)));
}

std::optional<RegistryValue> FakeRegistry::ReadValue(Hive hive, std::u16string_view path,
                                                     std::u16string_view name) {
  const Key* key = Find(Placed(hive, path));
  if (!key) return std::nullopt;
  const auto found = key->values.find(testing::Folded(name));
  if (found == key->values.end()) return std::nullopt;
  return found->second.value;
}

Outcome FakeTypeLibraries::Register(Scope scope) {
  if (denied_.contains(scope)) return Outcome::kDenied;
  const Hive hive = HiveOf(RowRoot::kClasses, scope);
  const std::u16string entryKey = PathIn(RowRoot::kClasses, libraryKey_);
  if (const Outcome permitted = registry_.Permit(hive, entryKey); permitted != Outcome::kDone)
    return permitted;
  registry_.Add(hive, entryKey, u"", title_);
  return Outcome::kDone;
}

// As the system does: the entry goes, and with it each key above it, up to the library's own, that it leaves
// empty; another platform's entry of the same library stays.
Outcome FakeTypeLibraries::Unregister(Scope scope) {
  if (denied_.contains(scope)) return Outcome::kDenied;
  const Hive hive = HiveOf(RowRoot::kClasses, scope);
  const std::u16string entryKey = PathIn(RowRoot::kClasses, libraryKey_);
  if (const Outcome permitted = registry_.Permit(hive, entryKey); permitted != Outcome::kDone)
    return permitted;
  if (!registry_.KeyExists(hive, entryKey)) return Outcome::kFailed;
  registry_.Remove(hive, entryKey);
  for (std::u16string_view key = ParentOf(entryKey);
       !key.ends_with(u"TypeLib") && registry_.IsEmpty(hive, key); key = ParentOf(key)) {
    registry_.Remove(hive, key);
  }
  return Outcome::kDone;
}

}  // namespace tandrel::registration::testing
