#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/FirmwareVersion.h"
#include "image/ConfigImage.h"
#include "keys/KeyActionTable.h"
#include "keys/KeyNameTable.h"
#include "macros/MacroStore.h"
#include "util/JsonValue.h"
#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// A profile as text people can read, share and compare: every byte of the image and the key
// action table, by name where the program knows the meaning and as hex where it does not, so
// that reading it back gives the same bytes. The README describes the format.
namespace profile_json {

inline constexpr std::string_view kFormat = "n240qx-profile";
// Version 2 names the light direction and the multicolour choice ("left", "multicolour");
// version 1 files, which hold numbers there, are read as they are. Version 3 calls a macro's
// repeat count "repeat_count", as `macros --json` does; older files call it "repeat".
inline constexpr std::int64_t kVersion = 3;
inline constexpr std::int64_t kFirstVersion = 1;
inline constexpr std::int64_t kRepeatCountVersion = 3;

constexpr std::string_view RepeatMember(std::int64_t version) {
  return version >= kRepeatCountVersion ? "repeat_count" : "repeat";
}

// What a profile is written from. Macro names come from the stored macros (the image holds
// none); keys are named as the key name table names them; firmware is only reported.
struct ProfileJsonSource {
  const ConfigImage& image;
  const KeyActionTable& key_actions;
  const MacroStore& macros;
  const KeyNameTable& names;
  std::optional<FirmwareVersion> firmware;
};

JsonValue ToJson(const ProfileJsonSource& source);
std::string ToText(const ProfileJsonSource& source);

// The whole profile in the layout of keymap.bin, or kBadData naming the field and the reason
// ("brightness: 300 is out of range 0..255"). Every field is required: a partial file
// is refused rather than completed from what the keyboard holds. Refusals are worded in
// `language`.
Result<std::vector<std::uint8_t>> FromText(const KeyNameTable& names, std::string_view text,
                                           Language language = Language::kEnglish);
Result<std::vector<std::uint8_t>> FromJson(const KeyNameTable& names, const JsonValue& document,
                                           Language language = Language::kEnglish);

// Whether a profile file is JSON: its first bytes other than a byte-order mark and white space
// are '{' and '"' (or the '}' of an empty object). A
// binary profile may well start with the byte of '{' (the image's first bytes have no name),
// but hardly with that pair.
bool LooksLikeJson(std::span<const std::uint8_t> bytes);
// A profile file's bytes in the layout of keymap.bin: JSON is read, anything else taken as is.
Result<std::vector<std::uint8_t>> ProfileBytes(const KeyNameTable& names,
                                               std::vector<std::uint8_t> file,
                                               Language language = Language::kEnglish);
// The same for a file the user chose: a file that is not JSON must hold at least the
// configuration image, or it is something else (notes, a half-copied file) and is refused,
// saying so in `language`.
Result<std::vector<std::uint8_t>> ChosenProfileBytes(const KeyNameTable& names,
                                                     std::vector<std::uint8_t> file,
                                                     Language language = Language::kEnglish);

}  // namespace profile_json
}  // namespace n240qx
