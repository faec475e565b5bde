#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "image/ConfigImage.h"
#include "image/ImageField.h"
#include "keys/KeyActionTable.h"

namespace n240qx {

// One edit as the bytes it changed, each run with what it held before and after. Offsets count
// the image's bytes first and then the key action table's, entry after entry in their file
// layout, so one step covers both and costs only what it changed.
class EditStep {
 public:
  static constexpr std::size_t kActionsOffset = image_field::kImageSize;

  // What differs from `from_*` in `to_*`; empty when nothing does.
  static EditStep Between(const ConfigImage& from_image, const KeyActionTable& from_actions,
                          const ConfigImage& to_image, const KeyActionTable& to_actions);

  bool empty() const { return runs_.empty(); }
  // The bytes the step keeps, before and after together.
  std::size_t size() const;
  bool Touches(ImageField field) const;
  bool TouchesKeyActions() const;

  // Undo and redo. A byte is put back only where it still holds what the step left (or, for
  // redo, what the undo left), so a change made meanwhile by the keyboard itself is kept.
  void Revert(ConfigImage& image, KeyActionTable& actions) const;
  void Replay(ConfigImage& image, KeyActionTable& actions) const;

 private:
  struct Run {
    std::size_t offset;
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;
  };

  void AddRuns(std::span<const std::uint8_t> from, std::span<const std::uint8_t> to,
               std::size_t base);
  void Put(bool forward, ConfigImage& image, KeyActionTable& actions) const;

  std::vector<Run> runs_;
};

}  // namespace n240qx
