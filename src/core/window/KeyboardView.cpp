#include "window/KeyboardView.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "image/ImageField.h"
#include "keys/KeyIndex.h"
#include "keys/KeyTable.h"
#include "lighting/LightingRules.h"
#include "window/KeyboardViewGeometry.h"

namespace n240qx {

namespace {

constexpr const char* kHighlightPicture = "kb_hl.png";
constexpr RgbColour kDisabledFrame{255, 0, 0};

bool Hidden(std::size_t key) {
  return key >= key_index::kFirstHidden && key <= key_index::kLastHidden;
}

}  // namespace

KeyboardView::KeyboardView(ConfigImage& image, LightingPage& page,
                           const CustomisedKeyFlags& customised)
    : image_(image), page_(page), customised_(customised) {}

bool KeyboardView::OnHover(int x, int y, bool page_item_under_pointer, bool list_row_hovered) {
  const auto key = KeyboardViewGeometry::HitTest(x, y, page_.per_key_mode());
  bool repaint = false;
  const std::uint8_t hovered = key ? static_cast<std::uint8_t>(*key) : kNoKey;
  if (hovered != hovered_key_ && !Hidden(hovered)) {
    hovered_key_ = hovered;
    repaint = true;
  }
  if (!key && (page_item_under_pointer || list_row_hovered)) {
    repaint = true;
  }
  return repaint;
}

std::optional<std::size_t> KeyboardView::TipKeyAt(int x, int y) const {
  if (page_.per_key_mode()) {
    return std::nullopt;
  }
  return KeyboardViewGeometry::HitTest(x, y, false);
}

void KeyboardView::OnButtonDown(int x, int y) {
  press_ = {x, y};
  current_ = {0, 0};
  button_down_ = true;
  band_moved_ = false;
}

bool KeyboardView::OnBandMove(int x, int y) {
  if (!button_down_) {
    return false;
  }
  current_ = {x, y};
  band_moved_ = true;
  // The press point is the band's top-left corner; a band drawn up or to the left holds no
  // key at all and so clears the selection.
  const PixelRect band{press_.x, press_.y, current_.x, current_.y};
  selection_.set_state(KeySelection::State::kIdle);
  for (std::size_t key = 0; key < KeyTable::kKeyCount; ++key) {
    const auto rect = KeyboardViewGeometry::WindowRect(key);
    selection_.Set(key, rect && band.ContainsRect(*rect));
  }
  if (selection_.Any()) {
    selection_.set_state(KeySelection::State::kBand);
  }
  return true;
}

std::vector<WindowRequest> KeyboardView::OnRelease(const ClickResult& page, int x, int y,
                                                   PendingAssignment& pending) {
  std::vector<WindowRequest> requests;
  if (page.key_click) {
    requests = OnKeyClick(x, y).Effects(pending);
  }
  requests.insert(requests.end(), page.requests.begin(), page.requests.end());
  return requests;
}

KeyClickResult KeyboardView::OnKeyClick(int x, int y) {
  button_down_ = false;
  band_moved_ = false;
  press_ = {};
  current_ = {};
  const auto key = KeyboardViewGeometry::HitTest(x, y, page_.per_key_mode());
  if (!key) {
    if (selection_.state() == KeySelection::State::kBand) {
      selection_.set_state(KeySelection::State::kPending);
    }
    return {};
  }
  if (Hidden(*key)) {
    return {};
  }
  if (page_.per_key_mode()) {
    return PerKeyClick(*key);
  }
  KeyClickResult result;
  result.action = KeyClickResult::Action::kOpenKeyDialog;
  result.key = *key;
  result.key_vk = KeyTable::VirtualKeyOf(*key).value_or(0);
  result.repaint = true;
  return result;
}

KeyClickResult KeyboardView::PerKeyClick(std::size_t key) {
  KeyClickResult result;
  result.key = key;
  result.repaint = true;
  if (!LightingRules::ColourTableOf(image_.light_effect())) {
    // The keyboard changed the effect under us: there is no colour table to write, and the
    // Keymap / Custom choice is not shown for this effect, so the view goes back to Keymap
    // mode. The click itself does nothing more; the next one opens the key dialog.
    page_.SetPerKeyMode(false);
    result.action = KeyClickResult::Action::kLeftPerKeyMode;
    return result;
  }
  if (selection_.ctrl_down()) {
    selection_.Toggle(key);
    return result;
  }
  switch (selection_.state()) {
    case KeySelection::State::kIdle:
      selection_.Set(key, true);
      ApplyColourToSelection();
      result.action = KeyClickResult::Action::kColourRequested;
      break;
    case KeySelection::State::kBand:
      selection_.set_state(KeySelection::State::kPending);
      break;
    case KeySelection::State::kPending:
      ApplyColourToSelection();
      result.action = KeyClickResult::Action::kColourRequested;
      break;
  }
  return result;
}

void KeyboardView::ApplyColourToSelection() {
  std::vector<std::uint8_t> slots;
  for (const std::size_t key : selection_.Keys()) {
    if (const auto slot = KeyTable::SlotOf(key)) {
      slots.push_back(*slot);
    }
  }
  // Whatever the dialog's answer, the selection is used up.
  page_.ApplyColourToKeySlots(slots);
  selection_.Clear();
  selection_.set_state(KeySelection::State::kIdle);
}

std::vector<PaintOp> KeyboardView::Paint() const {
  std::vector<PaintOp> ops;
  if (!page_.per_key_mode()) {
    PaintKeymap(ops);
  } else if (const auto table = LightingRules::ColourTableOf(image_.light_effect())) {
    PaintPerKey(*table, ops);
  }
  return ops;
}

void KeyboardView::PaintHighlight(std::size_t key, std::vector<PaintOp>& ops) const {
  for (const auto& piece : KeyboardViewGeometry::Pieces(key)) {
    ops.push_back(PaintPictureCut{kHighlightPicture, piece.x, piece.y, piece.width, piece.height,
                                  piece.x + KeyboardViewGeometry::kOrigin.x,
                                  piece.y + KeyboardViewGeometry::kOrigin.y});
  }
}

void KeyboardView::PaintKeymap(std::vector<PaintOp>& ops) const {
  if (hovered_key_ != kNoKey) {
    PaintHighlight(hovered_key_, ops);
  }
  for (std::size_t key = 0; key < KeyTable::kKeyCount; ++key) {
    // The Windows key lock works by disabling the left Windows key; that is not a
    // customisation the user should see on the drawing.
    if (key != key_index::kLeftWindows && customised_.IsSet(key)) {
      PaintHighlight(key, ops);
      PaintDisabledMark(key, ops);
    }
  }
}

void KeyboardView::PaintDisabledMark(std::size_t key, std::vector<PaintOp>& ops) const {
  // A disabled key sends nothing at all, which the highlight alone does not tell from a key
  // that sends something else: a red frame sets it apart.
  const KeyTableRow* row = KeyTable::ByIndex(key);
  if (row == nullptr || image_.KeyEnabled(row->slot)) {
    return;
  }
  if (auto frame = KeyboardViewGeometry::SelectionFrame(key)) {
    frame->colour = kDisabledFrame;
    ops.push_back(*frame);
  }
}

void KeyboardView::PaintPerKey(std::size_t table, std::vector<PaintOp>& ops) const {
  const auto entries = image_.Field(image_field::ColourTable(table));
  for (const KeyTableRow& row : KeyTable::Rows()) {
    if (Hidden(row.index)) {
      continue;
    }
    const std::size_t at = 4 * std::size_t{row.slot};
    const RgbColour colour{entries[at + 1], entries[at + 2], entries[at + 3]};
    // An entry of all zeros is no colour: the key stays as the plain picture shows it.
    if (colour.IsBlack()) {
      continue;
    }
    for (const auto& piece : KeyboardViewGeometry::Pieces(row.index)) {
      ops.push_back(PaintFill{piece.x + KeyboardViewGeometry::kOrigin.x,
                              piece.y + KeyboardViewGeometry::kOrigin.y, piece.width, piece.height,
                              colour});
    }
    ops.push_back(PaintText{row.label_at.x + KeyboardViewGeometry::kLabelOffset.x,
                            row.label_at.y + KeyboardViewGeometry::kLabelOffset.y,
                            KeyboardViewGeometry::kLabelHeight, std::string(row.label),
                            colour.LabelColour()});
  }
  for (const std::size_t key : selection_.Keys()) {
    if (const auto frame = KeyboardViewGeometry::SelectionFrame(key)) {
      ops.push_back(*frame);
    }
  }
  if (button_down_ && band_moved_) {
    ops.push_back(PaintFrame{std::min(press_.x, current_.x), std::min(press_.y, current_.y),
                             std::abs(current_.x - press_.x) + 1,
                             std::abs(current_.y - press_.y) + 1});
  }
  if (hovered_key_ == KeyboardViewGeometry::kEnterKey) {
    for (const auto& line : KeyboardViewGeometry::EnterOutline()) {
      ops.push_back(line);
    }
  } else if (const auto frame = KeyboardViewGeometry::SelectionFrame(hovered_key_)) {
    ops.push_back(*frame);
  }
}

}  // namespace n240qx
