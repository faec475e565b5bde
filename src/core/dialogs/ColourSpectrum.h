#pragma once

#include <cstdint>
#include <optional>

#include "dialogs/SpectrumGeometry.h"
#include "lighting/Hsl.h"
#include "paint/PixelPoint.h"
#include "paint/RgbColour.h"

namespace n240qx {

// What the spectrum control tells its parent after an input.
struct SpectrumNotice {
  enum class Kind { kSelectionChanged, kSelectionEndOk };
  Kind kind;
  RgbColour colour;
  bool operator==(const SpectrumNotice&) const = default;
};

// Where the keyboard focus goes after Tab or Shift+Tab.
enum class SpectrumFocusMove { kStay, kNextControl, kPreviousControl };

enum class SpectrumKey { kLeft, kRight, kUp, kDown, kHome, kEnd, kPageUp, kPageDown, kTab, kOther };

struct SpectrumKeyResult {
  std::optional<SpectrumNotice> notice;
  SpectrumFocusMove focus_move = SpectrumFocusMove::kStay;
  bool repaint = false;
};

// The behaviour of the hue/saturation field and luminosity bar control (`CXColorSpectrumCtrl`):
// its colour, marker, arrow, focus and drags. The widget paints from these and forwards input.
class ColourSpectrum {
 public:
  enum class Part { kNone, kField, kBar };

  explicit ColourSpectrum(SpectrumGeometry geometry = SpectrumGeometry(),
                          RgbColour initial = {192, 192, 192});

  // Sets hue, saturation and luminosity from the colour and moves marker and arrow; no notice.
  void SetColour(RgbColour colour);

  // Input; each returns the notice for the parent, if any. A press that returns a notice landed
  // in the field or the bar, and the widget then takes the keyboard focus.
  std::optional<SpectrumNotice> OnButtonDown(int x, int y);
  // `button_down`: the primary mouse button is still held (the right one when swapped).
  std::optional<SpectrumNotice> OnMouseMove(int x, int y, bool button_down);
  void OnButtonUp();
  std::optional<SpectrumNotice> OnDoubleClick(int x, int y);
  SpectrumKeyResult OnKey(SpectrumKey key, bool ctrl, bool shift);
  void OnSetFocus(bool shift);
  void OnKillFocus();

  const SpectrumGeometry& geometry() const { return geometry_; }
  RgbColour colour() const { return colour_; }
  RgbColour last_notified() const { return last_notified_; }
  const Hsl& hsl() const { return hsl_; }
  PixelPoint marker() const { return marker_; }
  int arrow() const { return arrow_; }
  Part focus() const { return focus_; }
  bool field_drag() const { return field_drag_; }
  bool bar_drag() const { return bar_drag_; }

 private:
  SpectrumNotice Changed();
  void ApplyHsl(const Hsl& hsl);
  void TakeFieldPoint(int x, int y);
  void TakeBarPoint(int y);
  SpectrumKeyResult FieldKey(SpectrumKey key, int step);
  SpectrumKeyResult BarKey(SpectrumKey key, int step);

  SpectrumGeometry geometry_;
  RgbColour colour_;
  RgbColour last_notified_;
  Hsl hsl_;
  PixelPoint marker_;
  int arrow_ = 0;
  Part focus_ = Part::kNone;
  bool field_drag_ = false;
  bool bar_drag_ = false;
};

}  // namespace n240qx
