#include "window/MainWindowScene.h"

#include <algorithm>

#include "lighting/LightingPagePainter.h"
#include "window/HelpWindowModel.h"
#include "window/MainWindowLayout.h"
#include "window/PerformancePanel.h"

namespace n240qx {

namespace {

constexpr RgbColour kAccent{0, 255, 255};
constexpr RgbColour kFailure{255, 96, 96};
constexpr RgbColour kProgressTrack{34, 34, 34};

PaintText TextAt(const TextPlacement& placement, const Texts& texts) {
  PaintText text{placement.x, placement.y, placement.height,
                 std::string(texts.Get(placement.text))};
  text.max_width = placement.max_width;
  return text;
}

PaintPicture PictureAt(const PicturePlacement& placement) {
  return PaintPicture{placement.x, placement.y, std::string(placement.file)};
}

}  // namespace

std::vector<PaintOp> MainWindowScene::Paint(const MainWindowSceneInput& input) {
  std::vector<PaintOp> ops;
  PaintFrame(input.texts, ops);
  PaintPerformance(input.image, input.texts, ops);
  // The lighting column last of the column: its effect list covers the performance panel.
  for (PaintOp& op : LightingPagePainter::Paint(input.image, input.page, input.texts.language())) {
    ops.push_back(std::move(op));
  }
  ops.push_back(PictureAt(MainWindowLayout::kKeyboard));
  for (PaintOp& op : input.keyboard_view.Paint()) {
    ops.push_back(std::move(op));
  }
  if (input.state.help_open) {
    PaintHelpWindow(input.texts, ops);
  }
  PaintNotices(input, ops);
  return ops;
}

void MainWindowScene::PaintFrame(const Texts& texts, std::vector<PaintOp>& ops) {
  ops.push_back(PictureAt(MainWindowLayout::kBackground));
  for (const PicturePlacement& button : MainWindowLayout::Buttons()) {
    ops.push_back(PictureAt(button));
  }
  for (const TextPlacement& caption : MainWindowLayout::ButtonCaptions(texts.language())) {
    ops.push_back(TextAt(caption, texts));
  }
}

void MainWindowScene::PaintPerformance(const ConfigImage& image, const Texts& texts,
                                       std::vector<PaintOp>& ops) {
  for (const TextPlacement& label : PerformancePanel::Labels()) {
    ops.push_back(TextAt(label, texts));
  }
  for (const PicturePlacement& picture : PerformancePanel::Pictures(image)) {
    ops.push_back(PictureAt(picture));
  }
}

void MainWindowScene::PaintHelpWindow(const Texts& texts, std::vector<PaintOp>& ops) {
  ops.push_back(PictureAt(HelpWindowModel::kPicture));
  for (const TextPlacement& line : HelpWindowModel::Lines()) {
    ops.push_back(TextAt(line, texts));
  }
}

void MainWindowScene::PaintNotices(const MainWindowSceneInput& input, std::vector<PaintOp>& ops) {
  if (input.simulated) {
    ops.push_back(PaintText{kSimulatedX, kSimulatedY, kStatusHeight,
                            std::string(input.texts.Get(TextId::kSimulatedKeyboard)), kAccent});
  }
  if (!input.rule_status.empty()) {
    PaintText line{kRuleStatusX, kSimulatedY, kStatusHeight, input.rule_status, kAccent};
    line.max_width = MainWindowLayout::Buttons().front().x - kRuleStatusGap - kRuleStatusX;
    ops.push_back(std::move(line));
  }
  if (input.state.EditingLocked()) {
    const TextId busy =
        input.state.waiting_for_keyboard ? TextId::kBusyWithAnotherProgram : TextId::kDeviceBusy;
    ops.push_back(PaintText{kStatusX, kStatusY, kStatusHeight, std::string(input.texts.Get(busy))});
    ops.push_back(PaintFill{kStatusX, kProgressY, kProgressWidth, kProgressHeight, kProgressTrack});
    if (input.progress && input.progress->total > 0) {
      const int done = std::clamp(input.progress->done, 0, input.progress->total);
      const int width = kProgressWidth * done / input.progress->total;
      if (width > 0) {
        ops.push_back(PaintFill{kStatusX, kProgressY, width, kProgressHeight, kAccent});
      }
    }
    return;
  }
  PaintApplyText(input, ops);
  if (!input.failure.empty()) {
    // One line each: the udev rule's commands must be readable as they are to be typed.
    int y = kStatusY;
    std::size_t start = 0;
    while (start <= input.failure.size()) {
      const std::size_t end = std::min(input.failure.find('\n', start), input.failure.size());
      ops.push_back(PaintText{kStatusX, y, kStatusHeight, input.failure.substr(start, end - start),
                              kFailure});
      y += kStatusHeight + 2;
      start = end + 1;
    }
    return;
  }
  int y = kStatusY;
  if (!input.success.empty()) {
    ops.push_back(PaintText{kStatusX, y, kStatusHeight, input.success, kAccent});
    y += kStatusHeight + 2;
  }
  if (input.no_keyboard_notice) {
    ops.push_back(PaintText{kStatusX, y, kStatusHeight,
                            std::string(input.texts.Get(TextId::kNoKeyboardMessage))});
  }
}

void MainWindowScene::PaintApplyText(const MainWindowSceneInput& input, std::vector<PaintOp>& ops) {
  const auto failure_lines =
      input.failure.empty() ? 0
                            : 1 + static_cast<std::size_t>(std::ranges::count(input.failure, '\n'));
  std::string text = input.changes.ApplyText(input.texts);
  // A longer failure runs down to the Apply button's line; it says why the last write failed,
  // and the summary waits until it has gone.
  if (text.empty() || failure_lines > kFailureLinesAboveApplyText) {
    return;
  }
  PaintText line{kStatusX, kApplyTextY, kStatusHeight, std::move(text), kAccent};
  line.max_width = MainWindowLayout::kApplyButtonX - kApplyTextGap - kStatusX;
  // Beside the button it describes.
  line.align_right = true;
  ops.push_back(std::move(line));
}

}  // namespace n240qx
