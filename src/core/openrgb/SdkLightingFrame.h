#pragma once

#include "image/ConfigImage.h"

namespace n240qx {

// What SDK clients asked the lighting to be: effect, speed, brightness, colour choice and
// direction, the colour slots and the per-key colour tables. Only these regions ever move
// from a frame into the window's image, so edits elsewhere stay the user's own.
class SdkLightingFrame {
 public:
  explicit SdkLightingFrame(const ConfigImage& from) : image_(from) {}

  ConfigImage& image() { return image_; }
  const ConfigImage& image() const { return image_; }

  void CopyInto(ConfigImage& target) const;
  // True when `held` (what the keyboard holds) already shows this frame.
  bool SameAs(const ImageBlock& held) const;

 private:
  ConfigImage image_;
};

}  // namespace n240qx
