#include "window/KeySelection.h"

#include <algorithm>

namespace n240qx {

void KeySelection::Set(std::size_t key, bool selected) {
  if (key < kSize) {
    selected_[key] = selected;
  }
}

void KeySelection::Toggle(std::size_t key) {
  if (key < kSize) {
    selected_[key] = !selected_[key];
  }
}

bool KeySelection::Any() const {
  return std::any_of(selected_.begin(), selected_.end(), [](bool s) { return s; });
}

std::vector<std::size_t> KeySelection::Keys() const {
  std::vector<std::size_t> keys;
  for (std::size_t key = 0; key < kSize; ++key) {
    if (selected_[key]) {
      keys.push_back(key);
    }
  }
  return keys;
}

void KeySelection::OnCtrlUp() {
  ctrl_down_ = false;
  if (Any()) {
    state_ = State::kPending;
  }
}

}  // namespace n240qx
