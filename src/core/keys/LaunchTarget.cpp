#include "keys/LaunchTarget.h"

#include "keys/HostAction.h"

namespace n240qx {

LaunchTarget SplitLaunchPath(AssignmentKind kind, std::u16string_view path) {
  LaunchTarget target;
  target.kind = kind;
  target.path = std::u16string(path);
  const auto separator = path.find_last_of(u"/\\");
  if (separator != std::u16string_view::npos) {
    target.directory = std::u16string(path.substr(0, separator));
    target.file = std::u16string(path.substr(separator + 1));
  }
  return target;
}

const KeyActionEntry* FindLaunchEntry(const KeyActionTable& table, std::uint32_t code) {
  const auto vk = static_cast<std::uint8_t>(code & 0xFF);
  for (const auto& entry : table.Entries()) {
    if (IsLaunchKind(entry.kind) && entry.key_vk == vk) {
      return &entry;
    }
  }
  return nullptr;
}

std::optional<LaunchTarget> FindLaunchTarget(const KeyActionTable& table, std::uint32_t code) {
  const KeyActionEntry* entry = FindLaunchEntry(table, code);
  if (entry == nullptr || IsHostActionPath(entry->PathString())) {
    return std::nullopt;
  }
  return SplitLaunchPath(static_cast<AssignmentKind>(entry->kind), entry->PathString());
}

}  // namespace n240qx
