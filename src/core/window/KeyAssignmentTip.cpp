#include "window/KeyAssignmentTip.h"

#include <array>

#include "app/KeyTargetText.h"
#include "dialogs/KeyDialogTexts.h"
#include "image/ImageField.h"
#include "keys/HostAction.h"
#include "keys/KeyMapEntry.h"
#include "keys/KeyTable.h"
#include "util/EscapedText.h"
#include "util/TextTable.h"
#include "util/Utf8.h"

namespace n240qx {

namespace {

enum class TipText { kDisabled, kMacro, kNothing, kCount };

constexpr std::array<TextRow<TipText>, static_cast<std::size_t>(TipText::kCount)> kTexts{{
    {TipText::kDisabled, "disabled", "deaktiviert"},
    {TipText::kMacro, "Macro ", "Makro "},
    {TipText::kNothing, "nothing", "nichts"},
}};
static_assert(RowsFollowIds(kTexts), "one row per text, in the order of TipText");

std::string Word(TipText text, Language language) {
  return std::string(LookupText(kTexts, text, language));
}

// The launch rows' own labels: the words the key dialog shows for the same choice.
std::string LaunchLabel(std::uint8_t kind, Language language) {
  constexpr std::array<KeyDialogText, 4> kLabels = {
      KeyDialogText::kPlayMusic, KeyDialogText::kStartup, KeyDialogText::kOpenFile,
      KeyDialogText::kOpenFolder};
  return std::string(KeyDialogTexts::Get(
      kLabels[kind - static_cast<std::uint8_t>(AssignmentKind::kPlayMusic)], language));
}

std::string Target(const KeyTableRow& row, const KeyAssignmentTip::Sources& sources,
                   Language language) {
  if (!sources.image.KeyEnabled(row.slot)) {
    return Word(TipText::kDisabled, language);
  }
  const auto bytes = sources.image.Field(image_field::KeyMapEntry(row.slot)).first<4>();
  const KeyMapEntry entry = KeyMapEntry::FromBytes(bytes);
  const KeyActionEntry& action = sources.actions[row.index];
  if (entry.type == KeyMapEntry::kKeys && entry.p1 == 0 && entry.p2 == 0 && entry.p3 == 0) {
    return Word(TipText::kNothing, language);
  }
  if (entry.type == KeyMapEntry::kMacro) {
    std::string text = Word(TipText::kMacro, language) + std::to_string(entry.p2);
    if (entry.p2 < sources.macros.UsedCount()) {
      text += " " + EscapedText(sources.macros.entry(entry.p2).Name());
    }
    return text;
  }
  if (const auto host = HostAction::Of(action); entry.type == KeyMapEntry::kHostLaunch && host) {
    return EscapedText(KeyDialogTexts::HostActionText(*host, language));
  }
  if (entry.type == KeyMapEntry::kHostLaunch && IsLaunchKind(action.kind)) {
    return LaunchLabel(action.kind, language) + " " + Utf8FromUtf16(action.PathString());
  }
  // Key and function names read the same in both languages.
  return KeyTargetText(bytes, action, sources.names, sources.macros);
}

}  // namespace

std::string KeyAssignmentTip::For(std::size_t key, const Sources& sources, Language language) {
  const KeyTableRow* row = KeyTable::ByIndex(key);
  if (row == nullptr) {
    return {};
  }
  return std::string(row->label) + ": " + Target(*row, sources, language);
}

}  // namespace n240qx
