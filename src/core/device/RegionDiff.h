#pragma once

#include <array>

#include "image/ImageBlock.h"
#include "image/ImageField.h"

namespace n240qx {

// Which regions of the image differ from the snapshot: what the write of changes has to send.
struct RegionDiff {
  bool colour_slots = false;
  bool game_mode = false;
  bool report_rate = false;
  bool response_time = false;
  bool key_map = false;
  std::array<bool, image_field::kMacroRecordCount> macros{};
  bool key_enable_mask = false;
  std::array<bool, image_field::kColourTableCount> colour_tables{};
  bool lighting = false;

  static RegionDiff Compare(const ImageBlock& image, const ImageBlock& snapshot);
  bool Any() const;
};

}  // namespace n240qx
