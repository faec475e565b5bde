#include "dialogs/MacroDialogScene.h"

#include <array>
#include <string>

namespace n240qx {

namespace {

// Where a label goes in each language: x, y and font height.
struct LabelPlace {
  MacroText text;
  int x;
  int y;
  int height;
  int german_x;
  int german_y;
  int german_height;
  // Where the label's room ends (its button's right edge, the dialog's); 0: no limit.
  int room_right = 0;
};

constexpr std::array<LabelPlace, 8> kLabels{{
    {MacroText::kDelayLine1, 260, 153, 15, 260, 153, 15},
    {MacroText::kDelayLine2, 260, 168, 15, 260, 168, 15},
    {MacroText::kDelayLine3, 260, 183, 15, 260, 183, 14},
    {MacroText::kLoop, 265, 300, 15, 265, 300, 15},
    {MacroText::kNew, 35, 372, 15, 35, 372, 14, 76},
    {MacroText::kDelete, 95, 372, 15, 85, 372, 14, 136},
    {MacroText::kOk, 270, 372, 15, 270, 372, 14, 306},
    {MacroText::kCancel, 320, 372, 15, 313, 372, 14, 366},
}};

// The Record button's text, in either state.
constexpr LabelPlace kRecordLabel{MacroText::kStartRecording, 265, 103, 15, 260, 103, 14};
// The buffer room sits in the settings column between the delay option and the Loop option.
constexpr LabelPlace kRoomLabel{MacroText::kTitle, 260, 230, 14, 260, 230, 14};
// Above it, while an Insert Before/After waits: otherwise nothing shows the menu was taken.
constexpr LabelPlace kPressAKeyLabel{MacroText::kPressAKey, 260, 212, 14, 260, 212, 14, 376};
// Below it, the note that keys typed elsewhere are not seen.
constexpr std::array<LabelPlace, 3> kFocusedOnlyLabels{{
    {MacroText::kFocusedOnly1, 260, 248, 12, 260, 248, 12},
    {MacroText::kFocusedOnly2, 260, 261, 12, 260, 261, 12},
    {MacroText::kFocusedOnly3, 260, 274, 12, 260, 274, 12},
}};

// In their place when MacroDefine.bin could not be read.
constexpr std::array<LabelPlace, 3> kUnreadLabels{{
    {MacroText::kUnread1, 260, 248, 12, 260, 248, 12},
    {MacroText::kUnread2, 260, 261, 12, 260, 261, 12},
    {MacroText::kUnread3, 260, 274, 12, 260, 274, 12},
}};

PaintText Label(const LabelPlace& place, std::string text, Language language) {
  const bool german = language == Language::kGerman;
  const int x = german ? place.german_x : place.x;
  return PaintText{x,
                   german ? place.german_y : place.y,
                   german ? place.german_height : place.height,
                   std::move(text),
                   kWhite,
                   place.room_right > 0 ? place.room_right - x : 0};
}

PaintText Label(const LabelPlace& place, Language language) {
  return Label(place, std::string(MacroDialogText(place.text, language)), language);
}

PaintPicture Picture(MacroButton button, std::string_view name) {
  const PixelRect& rect = MacroDialogLayout::Rect(button);
  return PaintPicture{rect.left, rect.top, std::string(name)};
}

std::string_view ButtonPicture(const MacroDialogModel& model, MacroButton button,
                               std::string_view normal, std::string_view over) {
  return model.hovered() == button ? over : normal;
}

}  // namespace

std::vector<PaintOp> MacroDialogScene::Paint(const MacroDialogModel& model, Language language) {
  std::vector<PaintOp> ops;
  ops.emplace_back(PaintPicture{0, 0, std::string(MacroDialogLayout::kBackground)});
  ops.emplace_back(Picture(MacroButton::kRecord, ButtonPicture(model, MacroButton::kRecord,
                                                               MacroDialogLayout::kRecordNormal,
                                                               MacroDialogLayout::kRecordOver)));
  const MacroText record =
      model.recording() ? MacroText::kStopRecording : MacroText::kStartRecording;
  ops.emplace_back(Label(kRecordLabel, std::string(MacroDialogText(record, language)), language));
  ops.emplace_back(Picture(MacroButton::kDelayBox, model.has_delay() ? MacroDialogLayout::kBoxTicked
                                                                     : MacroDialogLayout::kBox));
  ops.emplace_back(Picture(MacroButton::kLoopBox,
                           model.loop() ? MacroDialogLayout::kBoxTicked : MacroDialogLayout::kBox));
  for (const MacroButton button :
       {MacroButton::kNew, MacroButton::kDelete, MacroButton::kOk, MacroButton::kCancel}) {
    ops.emplace_back(Picture(button, ButtonPicture(model, button, MacroDialogLayout::kButtonNormal,
                                                   MacroDialogLayout::kButtonOver)));
  }
  for (const LabelPlace& label : kLabels) {
    ops.emplace_back(Label(label, language));
  }
  if (model.selected_macro()) {
    ops.emplace_back(Label(kRoomLabel, BufferRoomText(model.UsedBytes(), language), language));
  }
  if (model.recorder().capture_armed()) {
    ops.emplace_back(Label(kPressAKeyLabel, language));
  }
  if (model.read_only() || model.recorder().focused_window_only()) {
    for (const LabelPlace& label : model.read_only() ? kUnreadLabels : kFocusedOnlyLabels) {
      ops.emplace_back(Label(label, language));
    }
  }
  return ops;
}

}  // namespace n240qx
