#include "app/FactoryResetFlow.h"

#include <algorithm>

namespace n240qx {

ConfirmPrompt FactoryResetFlow::Prompt(const Texts& texts) {
  return {texts.Get(TextId::kFactoryResetTitle), texts.Get(TextId::kFactoryResetQuestion)};
}

std::vector<WindowRequest> FactoryResetFlow::OnAnswer(bool confirmed, MainWindowState& state) {
  state.help_open = false;
  if (!confirmed) {
    return {WindowRequest::kRepaint};
  }
  state.per_key_mode = false;
  state.activity = DeviceActivity::kResetting;
  return {WindowRequest::kRunFactoryReset, WindowRequest::kRepaint};
}

std::vector<WindowRequest> FactoryResetFlow::OnFinished(const Status& outcome,
                                                        MainWindowState& state, ConfigImage& image,
                                                        DeviceSnapshot& snapshot) {
  state.activity = DeviceActivity::kIdle;
  if (!outcome.ok()) {
    return {WindowRequest::kRepaint};
  }
  std::ranges::fill(image.key_enable_mask(), std::uint8_t{0xFF});
  image.DeriveWindowsKeyLock();
  CopyImageToSnapshot(image, snapshot);
  return {WindowRequest::kSetSlidersFromImage, WindowRequest::kClearMarkedKeys,
          WindowRequest::kResetKeyActionTable, WindowRequest::kSaveKeymapStore,
          WindowRequest::kRepaint};
}

}  // namespace n240qx
