#pragma once

#include <cstddef>
#include <string>

#include "app/Texts.h"
#include "image/ConfigImage.h"
#include "image/ImageBlock.h"
#include "keys/KeyActionTable.h"

namespace n240qx {

class ConfiguratorState;

// What a write of the image and the key action table against their snapshots would change, in
// the parts a user thinks in. The window shows it beside Apply and every backup keeps the one
// of the write that followed it.
struct ChangeSummary {
  bool lighting = false;     // effect, speed, brightness, direction, colour choice, colour slots
  bool key_colours = false;  // the per-key colour tables
  std::size_t keys = 0;      // keys whose key map entry, enable bit or key action differs
  bool macros = false;
  bool game_mode = false;
  bool windows_key_lock = false;
  bool report_rate = false;
  bool response_time = false;
  bool factory_reset = false;  // the whole keyboard back to its factory settings

  // The lock is folded into the image's mask first, as the write does, so that a lock change
  // counts as the lock and not as a key.
  static ChangeSummary Compare(const ConfigImage& image, const ImageBlock& snapshot,
                               const KeyActionTable& key_actions,
                               const KeyActionTable& key_actions_snapshot);
  static ChangeSummary Compare(const ConfiguratorState& state);
  static ChangeSummary FactoryReset();

  bool Any() const;
  // "lighting, 3 keys, game mode" in the texts' language; empty when nothing differs.
  std::string Words(const Texts& texts) const;
  // "Apply: lighting, 3 keys, game mode"; empty when nothing differs.
  std::string ApplyText(const Texts& texts) const;

  friend bool operator==(const ChangeSummary&, const ChangeSummary&) = default;
};

}  // namespace n240qx
