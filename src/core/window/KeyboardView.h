#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "image/ConfigImage.h"
#include "keys/CustomisedKeyFlags.h"
#include "lighting/LightingPage.h"
#include "paint/PaintOp.h"
#include "paint/PixelPoint.h"
#include "window/ClickResult.h"
#include "window/KeyClickResult.h"
#include "window/KeySelection.h"

namespace n240qx {

// The keyboard drawing's behaviour: hover, the band and the key selection, key clicks in both
// modes, and what to paint. Keymap mode marks customised keys and hands a clicked key to the
// key assignment dialog; per-key mode colours keys from the current per-key colour table.
class KeyboardView {
 public:
  static constexpr std::uint8_t kNoKey = 255;

  KeyboardView(ConfigImage& image, LightingPage& page, const CustomisedKeyFlags& customised);

  // Mouse move when the pointer is neither in the open effect list nor dragging a band. The two
  // flags say whether a page item is under the pointer and whether the list has a hovered row;
  // either makes a move over no key repaint. Returns whether to repaint.
  bool OnHover(int x, int y, bool page_item_under_pointer, bool list_row_hovered);
  void OnButtonDown(int x, int y);
  // Mouse move with the button down that is not a window drag. Returns whether to repaint.
  bool OnBandMove(int x, int y);
  bool band_active() const { return button_down_; }
  // The button was found up on a move: the band ends without a click.
  void OnButtonFoundUp() { button_down_ = false; }
  KeyClickResult OnKeyClick(int x, int y);
  // Everything a left-button release at (x, y) asks for, given what the page made of it: the
  // key click's effects first (the key dialog opens before the page item's requests), then the
  // page's.
  std::vector<WindowRequest> OnRelease(const ClickResult& page, int x, int y,
                                       PendingAssignment& pending);

  void OnCtrlDown() { selection_.OnCtrlDown(); }
  void OnCtrlUp() { selection_.OnCtrlUp(); }
  // A click carries its own Ctrl state: a Ctrl released while another window had the focus
  // never reached this one, and must not stick.
  void FollowCtrl(bool held) {
    if (held && !selection_.ctrl_down()) {
      selection_.OnCtrlDown();
    } else if (!held && selection_.ctrl_down()) {
      selection_.OnCtrlUp();
    }
  }

  std::uint8_t hovered_key() const { return hovered_key_; }
  // The key a tool tip at (x, y) tells the assignment of: Keymap mode only, where a click
  // would open that key's dialog.
  std::optional<std::size_t> TipKeyAt(int x, int y) const;
  const KeySelection& selection() const { return selection_; }

  // Everything drawn over "kb_bk.png", in order.
  std::vector<PaintOp> Paint() const;

 private:
  KeyClickResult PerKeyClick(std::size_t key);
  void ApplyColourToSelection();
  void PaintKeymap(std::vector<PaintOp>& ops) const;
  void PaintPerKey(std::size_t table, std::vector<PaintOp>& ops) const;
  void PaintHighlight(std::size_t key, std::vector<PaintOp>& ops) const;
  void PaintDisabledMark(std::size_t key, std::vector<PaintOp>& ops) const;

  ConfigImage& image_;
  LightingPage& page_;
  const CustomisedKeyFlags& customised_;
  KeySelection selection_;
  std::uint8_t hovered_key_ = kNoKey;
  bool button_down_ = false;
  bool band_moved_ = false;
  PixelPoint press_;
  PixelPoint current_;
};

}  // namespace n240qx
