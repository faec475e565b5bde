#include "lighting/LightingPage.h"

#include <algorithm>
#include <utility>

#include "image/ImageField.h"
#include "lighting/EffectTable.h"
#include "lighting/LightingRules.h"

namespace n240qx {

namespace {
constexpr std::uint8_t kDirectionLeft = 1;
constexpr std::uint8_t kDirectionRight = 2;
constexpr std::uint8_t kDirectionTop = 3;
constexpr std::uint8_t kDirectionBottom = 4;
constexpr int kSpeedMax = 9;
constexpr int kBrightnessMax = 50;
}  // namespace

LightingPage::LightingPage(ConfigImage& image, std::uint32_t& shared_colour,
                           ColourDialogRunner run_dialog)
    : image_(image), shared_colour_(shared_colour), run_dialog_(std::move(run_dialog)) {}

bool LightingPage::OnItemButtonUp(PageItem item, int /*x*/, int /*y*/) {
  // The direction items act whatever the effect, also where no arrows are drawn.
  switch (item) {
    case PageItem::kEffectName:
      OpenEffectList();
      return true;
    case PageItem::kDirectionTop:
      image_.light_direction() = kDirectionTop;
      return true;
    case PageItem::kDirectionBottom:
      image_.light_direction() = kDirectionBottom;
      return true;
    case PageItem::kDirectionRight:
      image_.light_direction() = kDirectionRight;
      return true;
    case PageItem::kDirectionLeft:
      image_.light_direction() = kDirectionLeft;
      return true;
    case PageItem::kMulticolour:
      OnMulticolour();
      return true;
    case PageItem::kKeymap:
      per_key_mode_ = false;
      return true;
    case PageItem::kCustom:
      per_key_mode_ = true;
      return true;
    default:
      break;
  }
  if (const int swatch = SwatchOf(item); swatch != 0) {
    OnSwatch(swatch);
    return true;
  }
  return false;
}

void LightingPage::OnSwatch(int slot) {
  if (LightingRules::ForEffect(image_.light_effect()).forced_multicolour) {
    return;
  }
  // The first click selects a swatch; a click on the selected one edits its colour.
  if (image_.colour_choice() != slot) {
    image_.colour_choice() = static_cast<std::uint8_t>(slot);
    return;
  }
  if (const auto colour = AskColour()) {
    auto target = image_.Field(image_field::ColourSlot(static_cast<std::size_t>(slot - 1)));
    target[0] = colour->red;
    target[1] = colour->green;
    target[2] = colour->blue;
  }
}

void LightingPage::OnMulticolour() {
  if (image_.light_effect() != EffectTable::kStatic) {
    image_.colour_choice() = kMulticolour;
  }
}

std::optional<RgbColour> LightingPage::AskColour() {
  shared_colour_ = kDialogStartColour.Packed();
  if (!run_dialog_ || !run_dialog_()) {
    return std::nullopt;
  }
  return RgbColour::FromPacked(shared_colour_);
}

void LightingPage::OpenEffectList() {
  effect_list_open_ = true;
}

void LightingPage::CloseEffectList() {
  effect_list_open_ = false;
}

std::optional<std::size_t> LightingPage::ListRowAt(int x, int y) {
  if (!kListArea.Contains(x, y)) {
    return std::nullopt;
  }
  return static_cast<std::size_t>((y - kListArea.top) / kListRowHeight);
}

bool LightingPage::OnListHover(int x, int y) {
  const auto row = ListRowAt(x, y);
  const std::uint8_t hovered = row ? static_cast<std::uint8_t>(*row) : kNoRow;
  if (hovered == hovered_row_) {
    return false;
  }
  hovered_row_ = hovered;
  return true;
}

void LightingPage::OnListButtonUp(int x, int y) {
  effect_list_open_ = false;
  const auto row = ListRowAt(x, y);
  if (!row) {
    return;
  }
  const std::uint8_t code = EffectTable::Rows()[*row].code;
  image_.light_effect() = code;
  hovered_row_ = static_cast<std::uint8_t>(*row);
  per_key_mode_ = code >= EffectTable::kFirstProfile;
  // "Static" has no multicolour; "Wave" and "Spectrum" have nothing else.
  if (code == EffectTable::kStatic && image_.colour_choice() == kMulticolour) {
    image_.colour_choice() = 1;
  }
  if (LightingRules::ForEffect(code).forced_multicolour) {
    image_.colour_choice() = kMulticolour;
  }
}

void LightingPage::SetPerKeyModeFromEffect() {
  per_key_mode_ = image_.light_effect() >= EffectTable::kFirstProfile;
}

void LightingPage::SettleColourChoice() {
  const LightingRules rules = LightingRules::ForEffect(image_.light_effect());
  if (rules.colour_area) {
    image_.colour_choice() = rules.ShownColourChoice(image_.colour_choice());
  }
}

bool LightingPage::SpeedSliderVisible() const {
  return SlidersVisible() && LightingRules::ForEffect(image_.light_effect()).speed_slider;
}

bool LightingPage::OnSliderPosition(SliderId id, int position) {
  if (id == SliderId::kSpeed) {
    image_.effect_speed() = static_cast<std::uint8_t>(std::clamp(position, 0, kSpeedMax));
    return std::exchange(painted_speed_, position) != position;
  }
  if (id == SliderId::kBrightness) {
    image_.brightness() = static_cast<std::uint8_t>(std::clamp(position, 0, kBrightnessMax));
    return std::exchange(painted_brightness_, position) != position;
  }
  return false;
}

int LightingPage::SpeedSliderPosition() const {
  return std::min<int>(image_.effect_speed(), kSpeedMax);
}

int LightingPage::BrightnessSliderPosition() const {
  return std::min<int>(image_.brightness(), kBrightnessMax);
}

std::optional<std::size_t> LightingPage::CurrentColourTable() const {
  if (!per_key_mode_) {
    return std::nullopt;
  }
  return LightingRules::ColourTableOf(image_.light_effect());
}

ColourApplyResult LightingPage::ApplyColourToKeySlots(std::span<const std::uint8_t> key_slots) {
  const auto table = CurrentColourTable();
  if (!table) {
    return ColourApplyResult::kNoColourTable;
  }
  const auto colour = AskColour();
  if (!colour) {
    return ColourApplyResult::kCancelled;
  }
  auto entries = image_.Field(image_field::ColourTable(*table));
  for (const std::uint8_t slot : key_slots) {
    if (slot >= image_field::kKeySlotCount) {
      continue;
    }
    auto entry = entries.subspan(4 * std::size_t{slot}, 4);
    entry[0] = 0;
    entry[1] = colour->red;
    entry[2] = colour->green;
    entry[3] = colour->blue;
  }
  return ColourApplyResult::kApplied;
}

}  // namespace n240qx
