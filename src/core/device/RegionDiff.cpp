#include "device/RegionDiff.h"

#include <algorithm>

namespace n240qx {

namespace field = image_field;

RegionDiff RegionDiff::Compare(const ImageBlock& image, const ImageBlock& snapshot) {
  const auto differs = [&](ImageField region) { return !image.FieldEquals(snapshot, region); };
  RegionDiff diff;
  diff.colour_slots = differs(field::kColourSlots);
  diff.game_mode = differs(field::kGameMode);
  diff.report_rate = differs(field::kReportRate);
  diff.response_time = differs(field::kResponseTime);
  diff.key_map = differs(field::kKeyMap);
  for (std::size_t index = 0; index < diff.macros.size(); ++index) {
    diff.macros[index] = differs(field::MacroRecord(index));
  }
  diff.key_enable_mask = differs(field::kKeyEnableMask);
  for (std::size_t table = 0; table < diff.colour_tables.size(); ++table) {
    diff.colour_tables[table] = differs(field::ColourTable(table));
  }
  diff.lighting = differs(field::kLighting);
  return diff;
}

bool RegionDiff::Any() const {
  const auto set = [](bool value) { return value; };
  return colour_slots || game_mode || report_rate || response_time || key_map ||
         std::ranges::any_of(macros, set) || key_enable_mask ||
         std::ranges::any_of(colour_tables, set) || lighting;
}

}  // namespace n240qx
