#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/ImageField.h"
#include "keys/KeyActionEntry.h"
#include "keys/KeyNameTable.h"
#include "macros/MacroRecord.h"
#include "util/FieldPath.h"
#include "util/JsonValue.h"
#include "util/Result.h"

// What the profile JSON writer and reader share: the words for kinds and keys, the image bytes
// without a name, and the readers of one key action and one macro record, with which the writer
// proves that a readable form gives the same bytes back before it uses it.
namespace n240qx::profile_json {

// Bits 6 and 7 of each enable mask byte belong to no key slot.
inline constexpr std::uint8_t kSpareMaskBits = 0xC0;

// A key by the name the tool's other commands take ("LCtrl", "A"), or "0xNN" for a
// virtual-key code whose name would pick another key.
std::string VirtualKeyText(const KeyNameTable& names, std::uint8_t vk);
Result<std::uint8_t> VirtualKeyOfText(const KeyNameTable& names, const JsonValue& value,
                                      const FieldPath& path);
// A keyboard code by the name of its key; nothing for a code no named key has.
std::optional<std::string> DeviceCodeText(const KeyNameTable& names, std::uint8_t code);
Result<std::uint8_t> DeviceCodeOfText(const KeyNameTable& names, std::string_view text,
                                      const FieldPath& path);

// The words of `assign` and `keys`: "single" ... "open-folder", and "none" for the entry the
// key dialog leaves without a choice; empty for a kind no assignment has.
std::string_view KindName(std::uint8_t kind);
Result<std::uint8_t> KindOfText(const JsonValue& value, const FieldPath& path);

// The regions of the image that no named field covers, in order.
std::vector<ImageField> UnnamedRegions();

Result<KeyActionEntry> ReadKeyAction(const KeyNameTable& names, const JsonValue& value,
                                     const FieldPath& path);
// `version`: the file's, which names the repeat count.
Result<MacroRecord::Bytes> ReadMacroRecord(const KeyNameTable& names, const JsonValue& value,
                                           const FieldPath& path, std::int64_t version);

}  // namespace n240qx::profile_json
