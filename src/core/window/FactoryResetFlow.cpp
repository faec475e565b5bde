#include "window/FactoryResetFlow.h"

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
                                                        MainWindowState& state) {
  state.activity = DeviceActivity::kIdle;
  if (!outcome.ok()) {
    return {WindowRequest::kRepaint};
  }
  return {WindowRequest::kSetSlidersFromImage, WindowRequest::kRepaint};
}

}  // namespace n240qx
