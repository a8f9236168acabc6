#include "installer/package_contents.h"

#include "deliverables.h"
#include "ide/utf8_text.h"

namespace tandrel::installer {

std::vector<PackageEntry> ContentsOf(PackageKind kind) {
  std::vector<PackageEntry> entries = {
      {&kVb6Deliverable, Platform::kWin32},
      {&kVb5Deliverable, Platform::kWin32},
      {&kVbaDeliverable, Platform::kWin32},
  };
  if (kind == PackageKind::kX64) entries.push_back({&kVbaDeliverable, Platform::kWin64});
  return entries;
}

std::string ComponentIdOf(const PackageEntry& entry) {
  return ide::ToUtf8(entry.deliverable->title) + (entry.platform == Platform::kWin64 ? "_win64" : "_win32");
}

std::string FolderIdOf(Platform platform) {
  return platform == Platform::kWin64 ? "InstallFolder64" : "InstallFolder32";
}

std::u16string FileNameOf(const Deliverable& deliverable) {
  return std::u16string(deliverable.title) + u".dll";
}

}  // namespace tandrel::installer
