#pragma once

namespace n240qx {

// The keyboard sequence the device worker is running. While one runs the window keeps
// painting and shows progress, and editing is locked.
enum class DeviceActivity { kIdle, kReading, kWriting, kResetting };

}  // namespace n240qx
