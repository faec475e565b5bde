#include "cli/ImagePrinter.h"

#include <cstdio>

#include "device/FirmwareVersionText.h"
#include "image/ImageField.h"
#include "lighting/EffectTable.h"
#include "util/AsciiText.h"
#include "util/DecimalText.h"
#include "util/HexBytes.h"

namespace n240qx {

namespace {

namespace field = image_field;

constexpr std::size_t kEntriesPerLine = 8;

struct NamedByte {
  const char* name;
  std::uint8_t value;
};

std::vector<NamedByte> SingleSettings(const ConfigImage& image) {
  return {{"report_rate", image.report_rate()},
          {"response_time", image.response_time()},
          {"light_effect", image.light_effect()},
          {"effect_speed", image.effect_speed()},
          {"brightness", image.brightness()},
          {"colour_choice", image.colour_choice()},
          {"light_direction", image.light_direction()},
          {"game_mode", image.game_mode()},
          {"windows_key_lock", image.windows_key_lock()}};
}

// 4-byte entries of a 512-byte table (key map, colour table) as 8 hex digits each.
std::string Entry(std::span<const std::uint8_t> table, std::size_t slot) {
  return HexString(table.subspan(field::kKeyMapEntrySize * slot, field::kKeyMapEntrySize));
}

void PrintTable(std::span<const std::uint8_t> table, const char* indent, std::ostream& out) {
  for (std::size_t first = 0; first < field::kKeySlotCount; first += kEntriesPerLine) {
    char head[32];
    std::snprintf(head, sizeof head, "%sslots %3zu-%3zu:", indent, first,
                  first + kEntriesPerLine - 1);
    out << head;
    for (std::size_t slot = first; slot < first + kEntriesPerLine; ++slot) {
      out << ' ' << Entry(table, slot);
    }
    out << '\n';
  }
}

}  // namespace

void PrintImageText(const ConfigImage& image, const std::optional<FirmwareVersion>& firmware,
                    std::ostream& out) {
  out << "firmware: " << FirmwareVersionText(firmware, "unknown") << '\n';
  for (const NamedByte& setting : SingleSettings(image)) {
    out << setting.name << ": " << static_cast<int>(setting.value);
    if (std::string_view(setting.name) == "light_effect") {
      const auto name = EffectTable::NameOfCode(setting.value, Language::kEnglish);
      out << (name.empty() ? "" : " (" + std::string(name) + ")");
    }
    out << '\n';
  }
  out << "colour_slots:";
  for (std::size_t slot = 0; slot < field::kColourSlotCount; ++slot) {
    out << ' ' << HexString(image.Field(field::ColourSlot(slot)));
  }
  out << "\nkey_enable_mask: " << HexString(image.key_enable_mask()) << "\nkey_map:\n";
  PrintTable(image.key_map(), "  ", out);
  out << "key_colour_tables:\n";
  for (std::size_t table = 0; table < field::kColourTableCount; ++table) {
    out << "  table " << table << ":\n";
    PrintTable(image.Field(field::ColourTable(table)), "    ", out);
  }
  out << "macros:\n";
  for (std::size_t macro = 0; macro < field::kMacroRecordCount; ++macro) {
    out << "  " << (macro < 10 ? " " : "") << macro << ": "
        << HexString(image.Field(field::MacroRecord(macro))) << '\n';
  }
}

}  // namespace n240qx
