#include "dialogs/ColourSpectrum.h"

#include <algorithm>

namespace n240qx {

namespace {
constexpr int kStepFine = 1;     // Ctrl
constexpr int kStepCoarse = 10;  // Shift
constexpr int kStepNormal = 5;
}  // namespace

ColourSpectrum::ColourSpectrum(SpectrumGeometry geometry, RgbColour initial)
    : geometry_(geometry), colour_(initial), last_notified_(initial) {
  SetColour(initial);
}

void ColourSpectrum::SetColour(RgbColour colour) {
  colour_ = colour;
  hsl_ = RgbToHsl(colour);
  marker_ = geometry_.MarkerOf(hsl_);
  arrow_ = geometry_.ArrowOf(hsl_.luminosity);
}

SpectrumNotice ColourSpectrum::Changed() {
  last_notified_ = colour_;
  return {SpectrumNotice::Kind::kSelectionChanged, colour_};
}

void ColourSpectrum::ApplyHsl(const Hsl& hsl) {
  hsl_ = {std::clamp(hsl.hue, 0, Hsl::kHueMax), std::clamp(hsl.saturation, 0, Hsl::kScale),
          std::clamp(hsl.luminosity, 0, Hsl::kScale)};
  colour_ = HslToRgb(hsl_);
  marker_ = geometry_.MarkerOf(hsl_);
  arrow_ = geometry_.ArrowOf(hsl_.luminosity);
}

void ColourSpectrum::TakeFieldPoint(int x, int y) {
  hsl_ = geometry_.FieldPointToHsl(x, y, hsl_.luminosity);
  colour_ = HslToRgb(hsl_);
  // The marker follows the pointer itself, not the position the colour would give back.
  marker_ = {x, y};
}

void ColourSpectrum::TakeBarPoint(int y) {
  arrow_ = geometry_.BarPointToArrow(y);
  hsl_.luminosity = geometry_.ArrowToLuminosity(arrow_);
  colour_ = HslToRgb(hsl_);
}

std::optional<SpectrumNotice> ColourSpectrum::OnButtonDown(int x, int y) {
  if (geometry_.FieldHitRect().Contains(x, y)) {
    focus_ = Part::kField;
    field_drag_ = true;
    TakeFieldPoint(x, y);
    return Changed();
  }
  if (geometry_.BarHitRect().Contains(x, y)) {
    focus_ = Part::kBar;
    bar_drag_ = true;
    TakeBarPoint(y);
    return Changed();
  }
  return std::nullopt;
}

std::optional<SpectrumNotice> ColourSpectrum::OnMouseMove(int x, int y, bool button_down) {
  if (!button_down) {
    field_drag_ = false;
    bar_drag_ = false;
    return std::nullopt;
  }
  if (field_drag_ && geometry_.FieldHitRect().Contains(x, y)) {
    TakeFieldPoint(x, y);
    return Changed();
  }
  if (bar_drag_ && geometry_.BarHitRect().Contains(x, y)) {
    TakeBarPoint(y);
    return Changed();
  }
  return std::nullopt;
}

void ColourSpectrum::OnButtonUp() {
  field_drag_ = false;
  bar_drag_ = false;
}

std::optional<SpectrumNotice> ColourSpectrum::OnDoubleClick(int x, int y) {
  if (geometry_.FieldHitRect().Contains(x, y) || geometry_.BarHitRect().Contains(x, y)) {
    return SpectrumNotice{SpectrumNotice::Kind::kSelectionEndOk, colour_};
  }
  return std::nullopt;
}

SpectrumKeyResult ColourSpectrum::FieldKey(SpectrumKey key, int step) {
  Hsl next = hsl_;
  switch (key) {
    case SpectrumKey::kLeft:
      next.hue -= step;
      break;
    case SpectrumKey::kRight:
      next.hue += step;
      break;
    case SpectrumKey::kHome:
      next.hue = 0;
      break;
    case SpectrumKey::kEnd:
      next.hue = Hsl::kHueMax;
      break;
    case SpectrumKey::kUp:
      next.saturation += step;
      break;
    case SpectrumKey::kDown:
      next.saturation -= step;
      break;
    case SpectrumKey::kPageUp:
      next.saturation = Hsl::kScale;
      break;
    case SpectrumKey::kPageDown:
      next.saturation = 0;
      break;
    default:
      return {};
  }
  ApplyHsl(next);
  return {Changed(), SpectrumFocusMove::kStay, true};
}

SpectrumKeyResult ColourSpectrum::BarKey(SpectrumKey key, int step) {
  Hsl next = hsl_;
  switch (key) {
    case SpectrumKey::kUp:
      next.luminosity += step;
      break;
    case SpectrumKey::kDown:
      next.luminosity -= step;
      break;
    case SpectrumKey::kHome:
    case SpectrumKey::kPageUp:
      next.luminosity = Hsl::kScale;
      break;
    case SpectrumKey::kEnd:
    case SpectrumKey::kPageDown:
      next.luminosity = 0;
      break;
    default:
      return {};
  }
  ApplyHsl(next);
  return {Changed(), SpectrumFocusMove::kStay, true};
}

SpectrumKeyResult ColourSpectrum::OnKey(SpectrumKey key, bool ctrl, bool shift) {
  if (key == SpectrumKey::kTab) {
    if (!shift && focus_ == Part::kField) {
      focus_ = Part::kBar;
      return {std::nullopt, SpectrumFocusMove::kStay, true};
    }
    if (shift && focus_ == Part::kBar) {
      focus_ = Part::kField;
      return {std::nullopt, SpectrumFocusMove::kStay, true};
    }
    return {std::nullopt,
            shift ? SpectrumFocusMove::kPreviousControl : SpectrumFocusMove::kNextControl, false};
  }
  const int step = ctrl ? kStepFine : shift ? kStepCoarse : kStepNormal;
  if (focus_ == Part::kField) {
    return FieldKey(key, step);
  }
  if (focus_ == Part::kBar) {
    return BarKey(key, step);
  }
  return {};
}

void ColourSpectrum::OnSetFocus(bool shift) {
  focus_ = shift ? Part::kBar : Part::kField;
}

void ColourSpectrum::OnKillFocus() {
  focus_ = Part::kNone;
}

}  // namespace n240qx
