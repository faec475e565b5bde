#include "window/HelpWindowModel.h"

namespace n240qx {

HelpChoice HelpWindowModel::ChoiceAt(int x, int y) {
  if (!kArea.Contains(x, y)) {
    return HelpChoice::kClose;
  }
  switch ((y - kArea.top) / kRowHeight) {
    case 0:
      return HelpChoice::kFactoryReset;
    case 1:
      return HelpChoice::kFirmwareUpdate;
    case 2:
      return HelpChoice::kAbout;
    default:
      return HelpChoice::kClose;
  }
}

HelpChoice HelpWindowModel::OnButtonUp(int x, int y) {
  const HelpChoice choice = ChoiceAt(x, y);
  // The reset's question is asked with the help window gone; OK or Cancel, it stays closed.
  if (choice != HelpChoice::kFirmwareUpdate) {
    open_ = false;
  }
  return choice;
}

std::array<TextPlacement, 3> HelpWindowModel::Lines() {
  // Each row's text sits a few pixels into its 25-pixel band. A click on the version row opens
  // "About", as a frameless window has no system menu to offer it.
  return {{
      {TextId::kHelpResetSettings, 850, 26, 15},
      {TextId::kHelpFirmwareUpdate, 850, 51, 15},
      {TextId::kSoftwareVersion, 850, 75, 15},
  }};
}

}  // namespace n240qx
