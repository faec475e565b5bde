#pragma once

#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

#include "image/ImageBlock.h"

namespace n240qx {

// Lighting changes made on the keyboard while a write runs. The write works on a copy taken
// before them; its closing frame carries them, so that it does not undo on the keyboard what
// was just set there. Shared by the listener (records), the owning thread (clears when a
// write's copy is taken) and the worker (applies before the closing frame).
class LiveLighting {
 public:
  void Clear();
  void Record(std::uint8_t sub_code, std::uint8_t value);
  // Every change recorded since the last Clear, in the order the keyboard sent them.
  void ApplyTo(ImageBlock& block) const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::pair<std::uint8_t, std::uint8_t>> changes_;
};

}  // namespace n240qx
