#include "device/DeviceLockWait.h"

namespace n240qx {

namespace {
constexpr int kRetryMs = 50;
}  // namespace

Result<std::unique_ptr<DeviceLockHold>> AwaitDeviceLock(HidLink& link, const std::string& path,
                                                        Clock& clock,
                                                        std::chrono::milliseconds limit,
                                                        const std::function<void(bool)>& waiting) {
  const std::int64_t deadline_us = clock.NowUs() + limit.count() * 1000;
  bool told = false;
  auto tell = [&](bool now_waiting) {
    if (waiting && told != now_waiting) {
      waiting(now_waiting);
    }
    told = now_waiting;
  };
  while (true) {
    auto hold = link.TryLockDevice(path);
    if (!hold.ok() || *hold != nullptr) {
      tell(false);
      return hold;
    }
    if (clock.NowUs() >= deadline_us) {
      tell(false);
      return Error{ErrorCode::kTimeout, std::string("The keyboard is busy with another program; "
                                                    "gave up after ") +
                                            std::to_string(limit.count() / 1000) +
                                            " s and sent nothing"};
    }
    tell(true);
    clock.SleepMs(kRetryMs);
  }
}

}  // namespace n240qx
