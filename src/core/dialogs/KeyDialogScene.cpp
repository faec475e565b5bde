#include "dialogs/KeyDialogScene.h"

#include <array>
#include <string>

#include "util/Utf8.h"

namespace n240qx {

namespace {

using Geometry = KeyDialogGeometry;

constexpr RgbColour kRed{255, 0, 0};
constexpr RgbColour kSilver{192, 192, 192};
constexpr int kCaptionHeight = 18;
constexpr int kPageTextHeight = 15;
constexpr int kToggleTextHeight = 14;
constexpr int kNoticeHeight = 13;
constexpr int kNoticePitch = 16;
constexpr int kTabTextY = 32;
constexpr int kRowPitch = 60;
// Between a text and the picture that ends its room.
constexpr int kRoomGap = 2;
constexpr int kPathFieldX = 86;
constexpr int kToggleTextX = 34;

bool German(const KeyAssignmentDialogModel& model) {
  return model.language() == Language::kGerman;
}

std::string Text(const KeyAssignmentDialogModel& model, KeyDialogText text) {
  return std::string(model.Text(text));
}

}  // namespace

std::vector<PaintOp> KeyDialogScene::Paint(const KeyAssignmentDialogModel& model) {
  std::vector<PaintOp> ops;
  ops.emplace_back(PaintPicture{0, 0, kBackground});
  const std::string key_name =
      Utf8FromUtf16(model.names().KeyNameOf(model.pending().current_key_vk));
  ops.emplace_back(PaintText{German(model) ? 132 : 180, 5, kCaptionHeight,
                             Text(model, KeyDialogText::kSelectedKey) + " " + key_name, kWhite});
  PaintTabs(model, ops);
  PaintPage(model, ops);
  PaintButtons(model, ops);
  return ops;
}

void KeyDialogScene::PaintTabs(const KeyAssignmentDialogModel& model, std::vector<PaintOp>& ops) {
  constexpr std::array<KeyDialogText, 4> kTabs = {
      KeyDialogText::kTabSingleCombine, KeyDialogText::kTabMacro, KeyDialogText::kTabBasic,
      KeyDialogText::kTabAdvance};
  const std::array<int, 4> x = {2, 123, 220, German(model) ? 295 : 314};
  for (std::size_t page = 0; page < kTabs.size(); ++page) {
    const bool current = static_cast<int>(page) == model.tab();
    ops.emplace_back(PaintText{x[page], kTabTextY, kPageTextHeight, Text(model, kTabs[page]),
                               current ? kRed : kSilver});
  }
}

void KeyDialogScene::PaintPage(const KeyAssignmentDialogModel& model, std::vector<PaintOp>& ops) {
  if (model.page() == 0) {
    ops.emplace_back(
        PaintText{13, 81, kPageTextHeight, Text(model, KeyDialogText::kSingle), kSilver});
    ops.emplace_back(
        PaintText{13, 166, kPageTextHeight, Text(model, KeyDialogText::kCombine), kSilver});
    int y = kNoticeY;
    for (const KeyDialogText line : model.CaptureNotice()) {
      const bool refused = line == KeyDialogText::kCannotSendKey;
      ops.emplace_back(PaintText{kNoticeX, y, kNoticeHeight, Text(model, line),
                                 refused ? kRed : kSilver, kNoticeWidth});
      y += kNoticePitch;
    }
  } else if (model.page() == 3) {
    PaintLaunchRows(model, ops);
  }
}

void KeyDialogScene::PaintLaunchRows(const KeyAssignmentDialogModel& model,
                                     std::vector<PaintOp>& ops) {
  constexpr std::array<KeyDialogText, 4> kLabels = {
      KeyDialogText::kPlayMusic, KeyDialogText::kStartup, KeyDialogText::kOpenFile,
      KeyDialogText::kOpenFolder};
  const int label_x = German(model) ? 12 : 15;
  for (int row = 0; row < 4; ++row) {
    const int top = kRowPitch * row;
    const bool hovered = model.hovered_browse_row() == row;
    ops.emplace_back(PaintPicture{1, 85 + top, "disable.png"});
    ops.emplace_back(PaintPicture{86, 79 + top, "Advanced.png"});
    ops.emplace_back(PaintPicture{317, 79 + top, hovered ? "view02.png" : "view.png"});
    ops.emplace_back(PaintText{label_x, 81 + top, kPageTextHeight, Text(model, kLabels[row]), kRed,
                               kPathFieldX - kRoomGap - label_x});
  }
  if (model.launch_choice() != Geometry::kNone) {
    ops.emplace_back(PaintPicture{1, 85 + kRowPitch * (model.launch_choice() / 4), "enable.png"});
  }
  const PixelRect& link = Geometry::kHostActionLink;
  ops.emplace_back(PaintText{label_x, link.top + 2, kPageTextHeight,
                             Text(model, KeyDialogText::kProfileKeys), kSilver,
                             link.right - label_x});
  if (model.launch_row() < Geometry::kLaunchRows) {
    const std::u16string path = KeyAssignmentDialogModel::PathText(model.pending().launch_path);
    ops.emplace_back(PaintText{90, 85 + kRowPitch * model.launch_row(), kPageTextHeight,
                               Utf8FromUtf16(path), kRed});
  }
}

void KeyDialogScene::PaintButtons(const KeyAssignmentDialogModel& model,
                                  std::vector<PaintOp>& ops) {
  const auto& buttons = Geometry::Buttons();
  const auto& toggle = buttons[Geometry::kDisableToggle];
  ops.emplace_back(
      PaintPicture{toggle.rect.left, toggle.rect.top,
                   std::string(model.disable_toggle() ? toggle.hover : toggle.normal)});
  ops.emplace_back(PaintText{kToggleTextX, 349, kToggleTextHeight,
                             Text(model, KeyDialogText::kDisableKey), kWhite,
                             buttons[Geometry::kReset].rect.left - kRoomGap - kToggleTextX});
  for (const std::uint8_t i : {Geometry::kReset, Geometry::kClose, Geometry::kSave}) {
    const auto& button = buttons[i];
    ops.emplace_back(
        PaintPicture{button.rect.left, button.rect.top,
                     std::string(model.ButtonHovered(i) ? button.hover : button.normal)});
  }
  struct Label {
    KeyDialogText text;
    int english_x;
    int german_x;
  };
  constexpr Label kLabels[] = {{KeyDialogText::kReset, 151, 138},
                               {KeyDialogText::kClose, 241, 228},
                               {KeyDialogText::kSave, 331, 318}};
  const bool german = German(model);
  for (const auto& label : kLabels) {
    ops.emplace_back(PaintText{german ? label.german_x : label.english_x, 350,
                               german ? kToggleTextHeight : kPageTextHeight,
                               Text(model, label.text), kWhite});
  }
}

}  // namespace n240qx
