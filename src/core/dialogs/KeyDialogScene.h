#pragma once

#include <vector>

#include "dialogs/KeyAssignmentDialogModel.h"
#include "paint/PaintOp.h"

namespace n240qx {

// What the key assignment dialog draws under its child controls, from its model: background,
// caption, tabs, the page's labels or launch rows, the toggle and the push buttons.
class KeyDialogScene {
 public:
  static constexpr const char* kBackground = "Custom_BK.png";
  // The first line of the notice under the capture fields.
  static constexpr int kNoticeX = 13;
  static constexpr int kNoticeY = 230;
  // The notice keeps clear of the dialog's right edge.
  static constexpr int kNoticeWidth = KeyDialogGeometry::kWidth - 2 * kNoticeX;

  static std::vector<PaintOp> Paint(const KeyAssignmentDialogModel& model);

 private:
  static void PaintTabs(const KeyAssignmentDialogModel& model, std::vector<PaintOp>& ops);
  static void PaintPage(const KeyAssignmentDialogModel& model, std::vector<PaintOp>& ops);
  static void PaintLaunchRows(const KeyAssignmentDialogModel& model, std::vector<PaintOp>& ops);
  static void PaintButtons(const KeyAssignmentDialogModel& model, std::vector<PaintOp>& ops);
};

}  // namespace n240qx
