// Over any profile-sized input, the profile check accepts only bytes whose every ranged setting
// and key assignment kind is in range (the settings of a blank image excepted) and whose launch
// paths hold no control character, and names exactly the fields that are not. The oracle reads the
// fields through the image and key action table, not through the check's offsets.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "config/ProfileCheck.h"
#include "keys/KeymapStore.h"
#include "lighting/EffectTable.h"
#include "util/ControlCharacters.h"

namespace {

using namespace n240qx;

std::size_t FieldsOutOfRange(const std::vector<std::uint8_t>& bytes) {
  ConfigImage image;
  KeyActionTable table;
  DecodeKeymapStore(bytes, false, image, table);
  const bool in_range[] = {
      image.report_rate() <= 3,
      image.response_time() <= 9,
      EffectTable::RowOfCode(image.light_effect()).has_value(),
      image.effect_speed() <= 9,
      image.brightness() <= 50,
      image.colour_choice() >= 1 && image.colour_choice() <= 8,
      image.light_direction() >= 1 && image.light_direction() <= 4,
      image.game_mode() <= 1,
      image.windows_key_lock() <= 1,
  };
  // An image whose settings are all zero is blank, and its settings are not taken.
  const bool blank =
      image.report_rate() == 0 && image.response_time() == 0 && image.light_effect() == 0 &&
      image.effect_speed() == 0 && image.brightness() == 0 && image.colour_choice() == 0 &&
      image.light_direction() == 0 && image.game_mode() == 0 && image.windows_key_lock() == 0;
  std::size_t bad = 0;
  for (const bool ok : in_range) {
    bad += ok || blank ? 0 : 1;
  }
  for (const KeyActionEntry& entry : table.Entries()) {
    const bool kind_ok = entry.kind <= 7 || entry.kind == 0xFF;
    const bool path_ok = !IsLaunchKind(entry.kind) || !HoldsControlCharacter(entry.PathString());
    bad += kind_ok && path_ok ? 0 : 1;
  }
  return bad;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  // The input tiled over a whole profile, so that short inputs reach every field.
  std::vector<std::uint8_t> profile(kKeymapStoreSize);
  for (std::size_t i = 0; i < profile.size(); ++i) {
    profile[i] = data[i % size];
  }
  const auto problems = CheckProfile(profile);
  if (problems.size() != FieldsOutOfRange(profile)) {
    std::abort();
  }
  return 0;
}
