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
  return {{
      {TextId::kGameMode, 17, 464, 16},
      {TextId::kWindowsKeyLock, 18, 500, 16},
      {TextId::kResponseTime, 26, 341, 15},
      {TextId::kReportRate, 26, 401, 15},
  }};
}

std::array<PicturePlacement, 4> PerformancePanel::Pictures(const ConfigImage& image) {
  return {{
      {TogglePicture(IsOn(image.game_mode())), 105, 466},
      {TogglePicture(IsOn(image.windows_key_lock())), 156, 502},
      {"responsetime_txt.png", 25, 380},
      {"reportRate_txt.png", 25, 429},
  }};
}

}  // namespace n240qx
