#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace n240qx {

// Assignment kinds as stored in `KeyActionEntry::kind` and carried by the pending assignment.
enum class AssignmentKind : std::uint8_t {
  kSingle = 0,
  kCombine = 1,
  kMacro = 2,
  kFunction = 3,
  kPlayMusic = 4,
  kStartup = 5,
  kOpenFile = 6,
  kOpenFolder = 7,
  kRestoreDefault = 8,  // pending value only, never stored
  kNone = 0xFF,         // nothing chosen: the assignment step changes nothing
};

constexpr bool IsLaunchKind(std::uint8_t kind) {
  return kind >= 4 && kind <= 7;
}

// What the host keeps about one key of the drawing. The file layout is 772 packed bytes:
// key_vk, kind, data[255], count, reserved[2], path[256 UTF-16LE units]. Encode/Decode go
// through that layout byte by byte, never through the struct's own memory layout.
struct KeyActionEntry {
  static constexpr std::size_t kSize = 772;
  static constexpr std::size_t kDataSize = 255;
  static constexpr std::size_t kPathUnits = 256;
  static constexpr std::size_t kKeyVkOffset = 0;
  static constexpr std::size_t kKindOffset = 1;
  static constexpr std::size_t kDataOffset = 2;
  static constexpr std::size_t kCountOffset = 257;
  static constexpr std::size_t kReservedOffset = 258;
  static constexpr std::size_t kPathOffset = 260;

  std::uint8_t key_vk = 0;
  std::uint8_t kind = 0;
  std::array<std::uint8_t, kDataSize> data{};
  std::uint8_t count = 0;
  std::array<std::uint8_t, 2> reserved{};  // carried through files, never written otherwise
  std::array<char16_t, kPathUnits> path{};

  void Encode(std::span<std::uint8_t, kSize> out) const;
  std::array<std::uint8_t, kSize> Encode() const;
  static KeyActionEntry Decode(std::span<const std::uint8_t, kSize> bytes);

  // The launch path up to its terminator; a path that fills the field without one ends there.
  std::u16string PathString() const;
  // Copies text and a terminator; text longer than the field is cut to leave room for it.
  // Units after the terminator keep their contents.
  void SetPath(std::u16string_view text);

  friend bool operator==(const KeyActionEntry&, const KeyActionEntry&) = default;
};

}  // namespace n240qx
