#include "app/KeyTargetText.h"

#include "keys/AssignmentKindWords.h"
#include "keys/FunctionTable.h"
#include "keys/HostAction.h"
#include "keys/KeyMapEntry.h"
#include "util/AsciiText.h"
#include "util/DecimalText.h"
#include "util/EscapedText.h"
#include "util/HexBytes.h"
#include "util/Utf8.h"

namespace n240qx {

namespace {

// The first named key the keyboard knows by this code: 0xE0 is LCtrl, 0x28 Enter.
std::string NameOfDeviceCode(std::uint8_t code, const KeyNameTable& names) {
  for (unsigned vk = 1; vk < 256; ++vk) {
    const auto& entry = names.Entry(static_cast<std::uint8_t>(vk));
    if (entry.device_code == code && !entry.name.empty()) {
      std::string name = Utf8FromUtf16(entry.name);
      while (!name.empty() && name.back() == ' ') {
        name.pop_back();
      }
      return name;
    }
  }
  return "code 0x" + HexString(std::span(&code, 1));
}

std::string KeysText(const KeyMapEntry& entry, const KeyNameTable& names) {
  std::string text;
  for (const std::uint8_t code : {entry.p1, entry.p2, entry.p3}) {
    if (code != 0) {
      text += (text.empty() ? "" : " + ") + NameOfDeviceCode(code, names);
    }
  }
  return text.empty() ? "nothing" : text;
}

std::string LaunchText(const KeyActionEntry& action) {
  const std::string path = EscapedText(action.PathString());
  if (!IsLaunchKind(action.kind)) {
    return "launch (no path stored)";
  }
  // As assign takes it: "next-profile", "profile Game".
  if (const auto host = HostAction::Of(action)) {
    return EscapedText(host->Words());
  }
  return std::string(WordOfAssignmentKind(action.kind)) + " " + path;
}

std::string MacroText(std::uint8_t slot, const MacroStore& macros) {
  std::string text = "macro " + std::to_string(slot);
  if (slot < macros.UsedCount()) {
    text += " " + EscapedText(macros.entry(slot).Name());
  }
  return text;
}

}  // namespace

std::string KeyTargetText(std::span<const std::uint8_t, 4> key_map_entry,
                          const KeyActionEntry& action, const KeyNameTable& names,
                          const MacroStore& macros) {
  const KeyMapEntry entry = KeyMapEntry::FromBytes(key_map_entry);
  if (action.kind == static_cast<std::uint8_t>(AssignmentKind::kFunction)) {
    const std::u16string function = DecodeFunction(key_map_entry);
    if (!function.empty()) {
      return Utf8FromUtf16(function);
    }
  }
  switch (entry.type) {
    case KeyMapEntry::kKeys:
      return KeysText(entry, names);
    case KeyMapEntry::kConsumer: {
      const std::u16string function = DecodeFunction(key_map_entry);
      return function.empty() ? "consumer usage 0x" + HexString(std::array{entry.p3, entry.p2})
                              : Utf8FromUtf16(function);
    }
    case KeyMapEntry::kMacro:
      return MacroText(entry.p2, macros);
    case KeyMapEntry::kHostLaunch:
      return LaunchText(action);
    default:
      return "keyboard entry " + HexString(key_map_entry);
  }
}

}  // namespace n240qx
