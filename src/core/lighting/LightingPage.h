#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "image/ConfigImage.h"
#include "paint/PageItem.h"
#include "paint/PixelRect.h"
#include "paint/RgbColour.h"
#include "paint/SliderId.h"

namespace n240qx {

// Runs the colour dialog modally on the shared colour; true when it ended with OK.
using ColourDialogRunner = std::function<bool()>;

enum class ColourApplyResult { kNoColourTable, kCancelled, kApplied };

// The lighting page's behaviour: clicks on its items, the effect list, the colour choice and
// the colour slots, the slider fields and the per-key colour writes. It edits the image only;
// the keyboard gets the changes at the next Apply.
class LightingPage {
 public:
  static constexpr std::uint8_t kMulticolour = 8;
  static constexpr std::uint8_t kNoRow = 255;
  // The colour every dialog opening starts from, whatever slot or key it edits.
  static constexpr RgbColour kDialogStartColour{12, 12, 12};
  // Rows of the open effect list: x 28..248, y 173..492, 20 pixels a row.
  static constexpr PixelRect kListArea{28, 173, 248, 492};
  static constexpr int kListRowHeight = 20;

  LightingPage(ConfigImage& image, std::uint32_t& shared_colour, ColourDialogRunner run_dialog);

  // A left-button release on one of the page's items (3..15, 23, 24) while neither the effect
  // list nor the help window is open. Returns false for items the page does not own.
  bool OnItemButtonUp(PageItem item, int x, int y);

  void OpenEffectList();
  void CloseEffectList();
  // Mouse move while the list is open; true when the hovered row changed and a repaint is due.
  bool OnListHover(int x, int y);
  // Release while the list is open: picks the row under the point, or only closes the list.
  void OnListButtonUp(int x, int y);
  static std::optional<std::size_t> ListRowAt(int x, int y);

  bool effect_list_open() const { return effect_list_open_; }
  std::uint8_t hovered_row() const { return hovered_row_; }

  bool per_key_mode() const { return per_key_mode_; }
  void SetPerKeyMode(bool on) { per_key_mode_ = on; }
  // After a revert: per-key mode exactly when the effect is a lighting profile.
  void SetPerKeyModeFromEffect();
  // The colour choice the swatches show, stored in the image: where the effect has swatches a
  // choice of 0 becomes 1, one above 8 becomes 8, and "Wave" and "Spectrum" take multicolour.
  // Runs after every change of effect or choice (input, a read, a profile, a revert), so that
  // Apply sends what the page shows; nothing else in the image changes.
  void SettleColourChoice();

  // Slider windows: all four are hidden while the list is open; speed only where it applies.
  bool SlidersVisible() const { return !effect_list_open_; }
  bool SpeedSliderVisible() const;

  // A slider reported a position (message 1913). Stores it in its image field and returns true
  // when it differs from the position last painted. Only the speed and brightness sliders are
  // the page's; other ids return false and change nothing.
  bool OnSliderPosition(SliderId id, int position);
  // The positions a refresh sets the two sliders to.
  int SpeedSliderPosition() const;
  int BrightnessSliderPosition() const;

  // The per-key colour table the current effect shows, if it has one.
  std::optional<std::size_t> CurrentColourTable() const;
  // Asks for a colour and writes it into the current per-key table at the given key slots.
  // Without a table (per-key mode off, or an effect outside the five lighting profiles) no
  // dialog opens and nothing is written; slots past the table are skipped.
  ColourApplyResult ApplyColourToKeySlots(std::span<const std::uint8_t> key_slots);

 private:
  void OnSwatch(int slot);
  void OnMulticolour();
  std::optional<RgbColour> AskColour();

  ConfigImage& image_;
  std::uint32_t& shared_colour_;
  ColourDialogRunner run_dialog_;
  bool effect_list_open_ = false;
  std::uint8_t hovered_row_ = kNoRow;
  bool per_key_mode_ = false;
  int painted_speed_ = -1;
  int painted_brightness_ = -1;
};

}  // namespace n240qx
