#include "lighting/LightingPage.h"

#include <algorithm>
#include <utility>

#include "config/ImageField.h"
#include "lighting/EffectTable.h"
#include "lighting/LightingRules.h"

namespace n240qx {

namespace {
constexpr std::uint8_t kDirectionLeft = 1;
constexpr std::uint8_t kDirectionRight = 2;
constexpr std::uint8_t kDirectionTop = 3;
constexpr std::uint8_t kDirectionBottom = 4;
constexpr int kSwatchCount = 7;
constexpr int kSpeedMax = 9;
constexpr int kBrightnessMax = 50;
}  // namespace

LightingPage::LightingPage(ConfigImage& image, std::uint32_t& shared_colour,
                           ColourDialogRunner run_dialog)
    : image_(image), shared_colour_(shared_colour), run_dialog_(std::move(run_dialog)) {}

bool LightingPage::OnItemButtonUp(int item, int /*x*/, int /*y*/) {
  // The direction items act whatever the effect, also where no arrows are drawn.
  switch (item) {
    case kItemEffectName:
      OpenEffectList();
      return true;
    case kItemDirectionTop:
      image_.light_direction() = kDirectionTop;
      return true;
    case kItemDirectionBottom:
      image_.light_direction() = kDirectionBottom;
      return true;
    case kItemDirectionRight:
      image_.light_direction() = kDirectionRight;
      return true;
    case kItemDirectionLeft:
      image_.light_direction() = kDirectionLeft;
      return true;
    case kItemMulticolour:
      OnMulticolour();
      return true;
    case kItemKeymap:
      per_key_mode_ = false;
      return true;
    case kItemCustom:
      per_key_mode_ = true;
      return true;
    default:
      break;
  }
  if (item >= kItemFirstSwatch && item < kItemFirstSwatch + kSwatchCount) {
    OnSwatch(item - kItemFirstSwatch + 1);
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

bool LightingPage::SpeedSliderVisible() const {
  return SlidersVisible() && LightingRules::ForEffect(image_.light_effect()).speed_slider;
}

bool LightingPage::OnSliderPosition(int control_id, int position) {
  if (control_id == kSpeedSliderId) {
    image_.effect_speed() = static_cast<std::uint8_t>(std::clamp(position, 0, kSpeedMax));
    return std::exchange(painted_speed_, position) != position;
  }
  if (control_id == kBrightnessSliderId) {
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
