#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace n240qx {

// Which keys of the keyboard view are selected for a per-key colour, and how far the selection
// has got: a band has just selected keys, or a selection waits for the next key click.
class KeySelection {
 public:
  static constexpr std::size_t kSize = 126;

  enum class State : std::uint8_t {
    kIdle = 0,
    kBand = 1,     // a band selected keys; the button is still down or was just released
    kPending = 2,  // the next key click asks for a colour for the selected keys
  };

  bool IsSelected(std::size_t key) const { return key < kSize && selected_[key]; }
  void Set(std::size_t key, bool selected);
  void Toggle(std::size_t key);
  void Clear() { selected_ = {}; }
  bool Any() const;
  std::vector<std::size_t> Keys() const;

  State state() const { return state_; }
  void set_state(State state) { state_ = state; }

  bool ctrl_down() const { return ctrl_down_; }
  void OnCtrlDown() { ctrl_down_ = true; }
  // Releasing Ctrl after Ctrl-clicks leaves the clicked keys waiting for the next click.
  void OnCtrlUp();

 private:
  std::array<bool, kSize> selected_{};
  State state_ = State::kIdle;
  bool ctrl_down_ = false;
};

}  // namespace n240qx
