// Over any text, the JSON profile reader either refuses it or gives a whole profile whose own
// JSON reads back to the same bytes: nothing it accepts is lost or changed on the way round.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/ProfileJson.h"
#include "keys/KeymapStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace n240qx;
  static const KeyNameTable names = BuildKeyNameTable();
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto bytes = profile_json::FromText(names, text);
  if (!bytes.ok()) {
    if (bytes.error().message.empty()) {
      std::abort();
    }
    return 0;
  }
  if (bytes->size() != kKeymapStoreSize) {
    std::abort();
  }
  ConfigImage image;
  KeyActionTable table;
  DecodeKeymapStore(*bytes, false, image, table);
  const MacroStore macros;
  const auto again =
      profile_json::FromText(names, profile_json::ToText({image, table, macros, names, {}}));
  if (!again.ok() || *again != *bytes) {
    std::abort();
  }
  return 0;
}
