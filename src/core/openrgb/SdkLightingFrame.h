#pragma once

#include "image/ConfigImage.h"

namespace n240qx {

// What SDK clients asked the lighting to be: effect, speed, brightness, colour choice and
// direction, the colour slots and the per-key colour tables. The frame starts from the image
// the window shows, and only the bytes the clients changed in these regions ever move from it:
// the window's unapplied edits it started from stay the user's, to go out with the user's Apply.
class SdkLightingFrame {
 public:
  explicit SdkLightingFrame(const ConfigImage& from) : image_(from), base_(from) {}

  ConfigImage& image() { return image_; }
  const ConfigImage& image() const { return image_; }

  // The bytes the clients changed into `target`.
  void CopyInto(ConfigImage& target) const;
  // True when `held` (what the keyboard holds) already shows every byte the clients changed.
  bool SameAs(const ImageBlock& held) const;

 private:
  template <typename Visit>
  bool AllChanged(Visit visit) const;

  ConfigImage image_;
  // What the frame started from, so that the clients' changes can be told from it.
  ConfigImage base_;
};

}  // namespace n240qx
