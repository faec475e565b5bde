#include "app/ChangeSummary.h"

#include <algorithm>
#include <bitset>
#include <vector>

#include "app/ConfiguratorState.h"
#include "device/RegionDiff.h"
#include "keys/KeyTable.h"

namespace n240qx {

namespace {

namespace field = image_field;

// Distinct keys: a key counts once whether its map entry, its enable bit, its key action or
// all of them differ. Table entries of no key (never assigned) are counted on their own.
std::size_t ChangedKeys(const ImageBlock& sent, const ImageBlock& snapshot, bool lock_changed,
                        const KeyActionTable& key_actions,
                        const KeyActionTable& key_actions_snapshot) {
  std::bitset<field::kKeySlotCount> slots;
  for (std::size_t slot = 0; slot < field::kKeySlotCount; ++slot) {
    const bool lock_bit = lock_changed && slot == field::kWindowsKeySlot;
    if (!sent.FieldEquals(snapshot, field::KeyMapEntry(slot)) ||
        (!lock_bit && sent.KeyEnabled(slot) != snapshot.KeyEnabled(slot))) {
      slots.set(slot);
    }
  }
  std::size_t keyless = 0;
  for (std::size_t index = 0; index < KeyActionTable::kEntryCount; ++index) {
    if (key_actions[index] == key_actions_snapshot[index]) {
      continue;
    }
    if (const auto slot = KeyTable::SlotOf(index); slot && *slot < field::kKeySlotCount) {
      slots.set(*slot);
    } else {
      ++keyless;
    }
  }
  return slots.count() + keyless;
}

void Append(std::string& words, std::string_view part) {
  if (!words.empty()) {
    words += ", ";
  }
  words += part;
}

}  // namespace

ChangeSummary ChangeSummary::Compare(const ConfigImage& image, const ImageBlock& snapshot,
                                     const KeyActionTable& key_actions,
                                     const KeyActionTable& key_actions_snapshot) {
  ConfigImage sent = image;
  sent.ApplyWindowsKeyLock();
  const RegionDiff diff = RegionDiff::Compare(sent, snapshot);
  const auto set = [](bool value) { return value; };
  ChangeSummary summary;
  summary.lighting = diff.lighting || diff.colour_slots;
  summary.key_colours = std::ranges::any_of(diff.colour_tables, set);
  summary.macros = std::ranges::any_of(diff.macros, set);
  summary.game_mode = diff.game_mode;
  summary.windows_key_lock = image.windows_key_lock() != snapshot.windows_key_lock();
  summary.report_rate = diff.report_rate;
  summary.response_time = diff.response_time;
  summary.keys =
      ChangedKeys(sent, snapshot, summary.windows_key_lock, key_actions, key_actions_snapshot);
  return summary;
}

ChangeSummary ChangeSummary::Compare(const ConfiguratorState& state) {
  return Compare(state.image(), state.snapshot(), state.key_actions(),
                 state.key_actions_snapshot());
}

ChangeSummary ChangeSummary::FactoryReset() {
  ChangeSummary summary;
  summary.factory_reset = true;
  return summary;
}

bool ChangeSummary::Any() const {
  return *this != ChangeSummary{};
}

std::string ChangeSummary::Words(const Texts& texts) const {
  std::string words;
  const auto add = [&](bool changed, TextId id) {
    if (changed) {
      Append(words, texts.Get(id));
    }
  };
  add(factory_reset, TextId::kChangeFactoryReset);
  add(lighting, TextId::kChangeLighting);
  add(key_colours, TextId::kChangeKeyColours);
  if (keys == 1) {
    Append(words, texts.Get(TextId::kChangeOneKey));
  } else if (keys > 1) {
    Append(words, std::to_string(keys) + std::string(texts.Get(TextId::kChangeKeys)));
  }
  add(macros, TextId::kChangeMacros);
  add(game_mode, TextId::kChangeGameMode);
  add(windows_key_lock, TextId::kChangeWindowsKeyLock);
  add(report_rate, TextId::kChangeReportRate);
  add(response_time, TextId::kChangeResponseTime);
  return words;
}

std::string ChangeSummary::ApplyText(const Texts& texts) const {
  const std::string words = Words(texts);
  return words.empty() ? words : std::string(texts.Get(TextId::kApplyWillSend)) + words;
}

}  // namespace n240qx
