#include "window/PageItemTable.h"

namespace n240qx {

namespace {

constexpr int kSwatchPitch = 25;

constexpr std::array<PageItemEntry, kPageItemCount> MakeEntries() {
  std::array<PageItemEntry, kPageItemCount> entries{{
      {PageItem::kHelp, {936, 5, 952, 20}},
      {PageItem::kMinimise, {957, 5, 973, 20}},
      {PageItem::kClose, {978, 5, 994, 20}},
      {PageItem::kEffectName, {28, 158, 248, 173}},
      {PageItem::kDirectionTop, {29, 197, 64, 212}},
      {PageItem::kDirectionBottom, {79, 197, 114, 212}},
      {PageItem::kDirectionRight, {129, 197, 164, 212}},
      {PageItem::kDirectionLeft, {179, 197, 214, 212}},
  }};
  for (int k = 0; k < 7; ++k) {
    const std::size_t i = PageItemIndex(PageItem::kColour1) + static_cast<std::size_t>(k);
    entries[i] = {static_cast<PageItem>(i),
                  {28 + kSwatchPitch * k, 223, 48 + kSwatchPitch * k, 243}};
  }
  entries[15] = {PageItem::kMulticolour, {203, 223, 223, 243}};
  entries[16] = {PageItem::kGameMode, {105, 466, 125, 486}};
  entries[17] = {PageItem::kWindowsKeyLock, {156, 502, 176, 522}};
  entries[18] = {PageItem::kProfile, {25, 560, 83, 583}};
  entries[19] = {PageItem::kMacro, {107, 560, 164, 582}};
  entries[20] = {PageItem::kDeadButton, {800, 605, 857, 635}};
  // A single pixel: the window's top-left corner.
  entries[21] = {PageItem::kRestore, {0, 0, 0, 0}};
  entries[22] = {PageItem::kApply, {868, 562, 926, 585}};
  entries[23] = {PageItem::kKeymap, {28, 200, 42, 214}};
  entries[24] = {PageItem::kCustom, {130, 200, 144, 214}};
  return entries;
}

constexpr std::array<PageItemEntry, kPageItemCount> kEntries = MakeEntries();
constexpr std::size_t kFirstChoiceEntry = PageItemIndex(PageItem::kKeymap);

}  // namespace

const std::array<PageItemEntry, kPageItemCount>& PageItemTable::Entries() {
  return kEntries;
}

PixelRect PageItemTable::RectOf(PageItem item) {
  return kEntries[PageItemIndex(item)].rect;
}

std::optional<PageItem> PageItemTable::HitTest(int x, int y, std::uint8_t light_effect) {
  // The Keymap choice overlaps the top arrow's rectangle, so the choices go first.
  if (PerKeyChoiceShown(light_effect)) {
    for (std::size_t i = kFirstChoiceEntry; i < kPageItemCount; ++i) {
      if (kEntries[i].rect.Contains(x, y)) {
        return kEntries[i].item;
      }
    }
  }
  for (std::size_t i = 0; i < kFirstChoiceEntry; ++i) {
    if (kEntries[i].rect.Contains(x, y)) {
      return kEntries[i].item;
    }
  }
  return std::nullopt;
}

}  // namespace n240qx
