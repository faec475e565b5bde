#pragma once

#include <cstdint>

namespace n240qx {

// After a lighting change made on the keyboard, the window repaints on each of the next four
// timer ticks (20 ms apart), so the change shows even while the slider message is still on its
// way. Served by the main window's timer on the user-interface thread.
class RepaintCountdown {
 public:
  static constexpr std::uint8_t kRepaints = 4;

  // `repaint_pending` := 1, `repaint_count` := 0; a start during a countdown begins it again.
  void Start() {
    repaint_pending_ = 1;
    repaint_count_ = 0;
  }
  // One timer tick; true when the window is to repaint now.
  bool Tick();

  bool repaint_pending() const { return repaint_pending_ != 0; }
  std::uint8_t repaint_count() const { return repaint_count_; }

 private:
  std::uint8_t repaint_pending_ = 0;
  std::uint8_t repaint_count_ = 0;
};

}  // namespace n240qx
