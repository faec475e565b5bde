#include "window/PageItemTable.h"

namespace n240qx {

namespace {

constexpr int kSwatchPitch = 25;

constexpr std::array<PageItemEntry, kPageItemCount> MakeEntries() {
  std::array<PageItemEntry, kPageItemCount> entries{{
      {0, {936, 5, 952, 20}},
      {1, {957, 5, 973, 20}},
      {2, {978, 5, 994, 20}},
      {3, {28, 158, 248, 173}},
      {4, {29, 197, 64, 212}},
      {5, {79, 197, 114, 212}},
      {6, {129, 197, 164, 212}},
      {7, {179, 197, 214, 212}},
  }};
  for (int k = 0; k < 7; ++k) {
    entries[8 + k] = {8 + k, {28 + kSwatchPitch * k, 223, 48 + kSwatchPitch * k, 243}};
  }
  entries[15] = {15, {203, 223, 223, 243}};
  entries[16] = {16, {105, 466, 125, 486}};
  entries[17] = {17, {156, 502, 176, 522}};
  entries[18] = {18, {25, 560, 83, 583}};
  entries[19] = {19, {107, 560, 164, 582}};
  entries[20] = {20, {800, 605, 857, 635}};
  // A single pixel: the window's top-left corner.
  entries[21] = {21, {0, 0, 0, 0}};
  entries[22] = {22, {868, 562, 926, 585}};
  entries[23] = {23, {28, 200, 42, 214}};
  entries[24] = {24, {130, 200, 144, 214}};
  return entries;
}

constexpr std::array<PageItemEntry, kPageItemCount> kEntries = MakeEntries();
constexpr int kFirstChoiceEntry = PageItemIndex(PageItem::kKeymap);

}  // namespace

const std::array<PageItemEntry, kPageItemCount>& PageItemTable::Entries() {
  return kEntries;
}

PixelRect PageItemTable::RectOf(PageItem item) {
  return kEntries[PageItemIndex(item)].rect;
}

int PageItemTable::HitTest(int x, int y, std::uint8_t light_effect) {
  // The Keymap choice overlaps the top arrow's rectangle, so the choices go first.
  if (PerKeyChoiceShown(light_effect)) {
    for (int i = kFirstChoiceEntry; i < kPageItemCount; ++i) {
      if (kEntries[i].rect.Contains(x, y)) {
        return kEntries[i].index;
      }
    }
  }
  for (int i = 0; i < kFirstChoiceEntry; ++i) {
    if (kEntries[i].rect.Contains(x, y)) {
      return kEntries[i].index;
    }
  }
  return kNoPageItem;
}

}  // namespace n240qx
