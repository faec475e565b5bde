#pragma once

namespace n240qx {

// Why the image was replaced and the window refreshes from it.
enum class RefreshSource {
  kKeyboardRead,   // a full read or re-read of the keyboard
  kProfileChange,  // a profile was loaded into the image
};

}  // namespace n240qx
