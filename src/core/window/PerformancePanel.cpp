#include "window/PerformancePanel.h"

#include <algorithm>

namespace n240qx {

namespace {
std::uint8_t Toggled(std::uint8_t value) {
  return PerformancePanel::IsOn(value) ? 0 : 1;
}
}  // namespace

void PerformancePanel::ToggleGameMode(ConfigImage& image) {
  image.game_mode() = Toggled(image.game_mode());
}

void PerformancePanel::ToggleWindowsKeyLock(ConfigImage& image) {
  image.windows_key_lock() = Toggled(image.windows_key_lock());
}

PerformancePanel::KeyEnableMask PerformancePanel::KeyEnableMaskToSend(const ConfigImage& image) {
  ConfigImage folded = image;
  folded.ApplyWindowsKeyLock();
  KeyEnableMask mask{};
  std::ranges::copy(folded.key_enable_mask(), mask.begin());
  return mask;
}

std::array<TextPlacement, 4> PerformancePanel::Labels() {
  // At their full height the two toggle labels run into their toggles ("Windowstasten
  // sperren" by far); each ends at least 4 pixels before its toggle, smaller where it must.
  constexpr int kGap = 4;
  return {{
      {TextId::kGameMode, 17, 464, 16, kGameModeToggle.x - kGap - 17},
      {TextId::kWindowsKeyLock, 18, 500, 16, kWindowsKeyLockToggle.x - kGap - 18},
      {TextId::kResponseTime, 26, 341, 15},
      {TextId::kReportRate, 26, 399, 15},
  }};
}

std::array<PicturePlacement, 4> PerformancePanel::Pictures(const ConfigImage& image) {
  return {{
      {TogglePicture(IsOn(image.game_mode())), kGameModeToggle.x, kGameModeToggle.y},
      {TogglePicture(IsOn(image.windows_key_lock())), kWindowsKeyLockToggle.x,
       kWindowsKeyLockToggle.y},
      {"responsetime_txt.png", 25, 380},
      {"reportRate_txt.png", 25, 429},
  }};
}

}  // namespace n240qx
