#include "device/DeviceLockWait.h"

namespace n240qx {

namespace {
constexpr int kRetryMs = 50;
}  // namespace

Result<std::unique_ptr<DeviceLockHold>> AwaitDeviceLock(HidLink& link, const std::string& path,
                                                        Clock& clock,
                                                        std::chrono::milliseconds limit,
                                                        const std::function<void(bool)>& waiting) {
  return AwaitLock([&] { return link.TryLockDevice(path); }, clock, limit, waiting,
                   "The keyboard is busy with another program", "and sent nothing");
}

Result<std::unique_ptr<DeviceLockHold>> AwaitLock(
    const std::function<Result<std::unique_ptr<DeviceLockHold>>()>& try_once, Clock& clock,
    std::chrono::milliseconds limit, const std::function<void(bool)>& waiting,
    const std::string& busy, const std::string& gave_up_tail) {
  const std::int64_t deadline_us = clock.NowUs() + limit.count() * 1000;
  bool told = false;
  auto tell = [&](bool now_waiting) {
    if (waiting && told != now_waiting) {
      waiting(now_waiting);
    }
    told = now_waiting;
  };
  while (true) {
    auto hold = try_once();
    if (!hold.ok() || *hold != nullptr) {
      tell(false);
      return hold;
    }
    if (clock.NowUs() >= deadline_us) {
      tell(false);
      return Error{
          ErrorCode::kTimeout,
          busy + "; gave up after " + std::to_string(limit.count() / 1000) + " s " + gave_up_tail};
    }
    tell(true);
    clock.SleepMs(kRetryMs);
  }
}

}  // namespace n240qx
