#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>

#include "device/AckSignal.h"
#include "device/EventChannel.h"
#include "device/EventListener.h"

namespace n240qx {
namespace {

// Long enough that only a hang reaches it, even under the thread sanitizer.
constexpr auto kHangLimit = std::chrono::seconds(20);

// An event interface whose reads ignore their time-out: only a wake ends them, so stopping a
// listener on it proves that the stop wakes the read instead of waiting for its time-out.
class WakeOnlyDevice final : public HidDevice {
 public:
  Result<std::size_t> SendFeatureReport(std::span<const std::uint8_t>) override { return 0; }
  Result<std::size_t> GetFeatureReport(std::span<std::uint8_t>) override { return 0; }
  Result<std::size_t> WriteReport(std::span<const std::uint8_t>) override { return 0; }
  Result<std::size_t> ReadReport(std::span<std::uint8_t>, int) override {
    std::unique_lock lock(mutex_);
    ++reads_;
    changed_.notify_all();
    changed_.wait(lock, [this] { return woken_; });
    woken_ = false;
    return std::size_t{0};
  }
  void InterruptRead() override {
    std::lock_guard lock(mutex_);
    woken_ = true;
    changed_.notify_all();
  }
  void AwaitRead() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return reads_ > 0; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int reads_ = 0;
  bool woken_ = false;
};

TEST(EventListenerStopTest, StopWakesAReadThatWouldNeverTimeOut) {
  EventChannel channel;
  auto owned = std::make_unique<WakeOnlyDevice>();
  WakeOnlyDevice& device = *owned;
  channel.Attach(std::move(owned));
  AckSignal ack;
  EventListener listener(channel, ack, [](const EventReport&) {});
  listener.Start();
  device.AwaitRead();

  auto stopped = std::async(std::launch::async, [&] { listener.Stop(); });
  ASSERT_EQ(stopped.wait_for(kHangLimit), std::future_status::ready) << "Stop sits in the read";
  EXPECT_FALSE(listener.running());
  EXPECT_FALSE(ack.link_lost()) << "a wake is no failure of the link";
}

}  // namespace
}  // namespace n240qx
