#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "keys/KeyActionEntry.h"
#include "keys/KeyActionTable.h"

namespace n240qx {

enum class HostActionKind : std::uint8_t {
  kApplyProfile,
  kNextProfile,
  kPreviousProfile,
  kToggleLights,
};

// Something a key asks of this program rather than of the desktop: a profile of the library,
// the next or previous one, the lights on or off. The keyboard reports such a key's press as
// it reports a launch key's, so the action is kept as a launch: kind "Open file" with a path
// in the program's own URI scheme, "n240qx:next-profile" or "n240qx:profile/NAME". keymap.bin
// and profiles keep their layout byte for byte; another program of that layout finds no file
// to open there (the path has no backslash, and the scheme is no file system's).
struct HostAction {
  static constexpr AssignmentKind kStoredKind = AssignmentKind::kOpenFile;
  static constexpr std::u16string_view kScheme = u"n240qx:";

  HostActionKind kind = HostActionKind::kNextProfile;
  // kApplyProfile: the library profile's name.
  std::string profile;

  // The stored path: the scheme, the action's word and, for a profile, "/" and its name.
  std::u16string Path() const;
  // The action a stored launch path names. None for a file's path, nor for a path in the
  // scheme that names no action (one of a newer version): that starts nothing either.
  static std::optional<HostAction> FromPath(std::u16string_view path);
  // The action of an entry with a launch kind; none for any other entry.
  static std::optional<HostAction> Of(const KeyActionEntry& entry);

  // How `assign` takes it and `keys` shows it: "profile NAME", "next-profile",
  // "previous-profile", "lights-toggle".
  std::string Words() const;
  static std::string_view WordOf(HostActionKind kind);
  static std::optional<HostActionKind> KindOfWord(std::string_view word);
  // Every action word, in the order above.
  static std::span<const std::string_view> ActionWords();

  friend bool operator==(const HostAction&, const HostAction&) = default;
};

// Whether a launch path is in the program's scheme: never a file to start, whatever follows.
bool IsHostActionPath(std::u16string_view path);

// The host action of the launch key the keyboard reported by `code`, found as
// FindLaunchTarget finds a launch: the first launch entry with that key_vk.
std::optional<HostAction> FindHostAction(const KeyActionTable& table, std::uint32_t code);

}  // namespace n240qx
