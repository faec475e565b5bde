#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/ChangeSummary.h"
#include "app/Texts.h"
#include "device/SequenceProgress.h"
#include "image/ConfigImage.h"
#include "lighting/LightingPage.h"
#include "paint/PaintOp.h"
#include "window/KeyboardView.h"
#include "window/MainWindowState.h"

namespace n240qx {

// Everything a full repaint of the main window shows, as one paint list: background, title
// strip buttons, the performance panel, the lighting column, the keyboard drawing, the
// bottom buttons, the help window, and the window's own notices (simulator in use, no
// keyboard, a running keyboard sequence, the last failure). The slider windows paint
// themselves on top.
struct MainWindowSceneInput {
  const ConfigImage& image;
  const LightingPage& page;
  const KeyboardView& keyboard_view;
  MainWindowState state;
  const Texts& texts;
  bool simulated = false;
  bool no_keyboard_notice = false;
  // How far the running sequence has got, while editing is locked.
  std::optional<SequenceProgress> progress;
  // What went wrong last, already in the window's language; empty when nothing did.
  std::string failure;
  // What Apply would send now, told beside the Apply button.
  ChangeSummary changes;
  // What the last Apply, restore or factory reset did; shown where a failure would be.
  std::string success;
  // Which profile rule chose the keyboard's profile, or what a switch waits for
  // (SwitchStatusText); shown in the title strip.
  std::string rule_status{};
};

class MainWindowScene {
 public:
  // Where the window's own notices go: a line under the keyboard drawing, and a thin bar
  // under it that fills as a keyboard sequence runs.
  static constexpr int kStatusX = 301;
  static constexpr int kStatusY = 520;
  static constexpr int kStatusHeight = 14;
  static constexpr int kProgressY = 540;
  static constexpr int kProgressWidth = 540;
  static constexpr int kProgressHeight = 3;
  // What Apply will send: in the status column, on the line of the Apply button, ending a few
  // pixels before it. Up to three failure lines fit above it.
  static constexpr int kApplyTextY = 567;
  static constexpr int kApplyTextGap = 8;
  static constexpr std::size_t kFailureLinesAboveApplyText = 3;
  static constexpr int kSimulatedX = 420;
  static constexpr int kSimulatedY = 8;
  // What the profile rules did: in the title strip after the simulator's notice, up to the
  // help button.
  static constexpr int kRuleStatusX = 560;
  static constexpr int kRuleStatusGap = 8;

  static std::vector<PaintOp> Paint(const MainWindowSceneInput& input);

 private:
  static void PaintFrame(const Texts& texts, std::vector<PaintOp>& ops);
  static void PaintPerformance(const ConfigImage& image, const Texts& texts,
                               std::vector<PaintOp>& ops);
  static void PaintHelpWindow(const Texts& texts, std::vector<PaintOp>& ops);
  static void PaintNotices(const MainWindowSceneInput& input, std::vector<PaintOp>& ops);
  static void PaintApplyText(const MainWindowSceneInput& input, std::vector<PaintOp>& ops);
};

}  // namespace n240qx
