#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "sim/SimFrames.h"
#include "sim/SimulatedHotplugMonitor.h"
#include "sim/SimulatedLink.h"
#include "sim/SimulatorHub.h"

namespace n240qx {
namespace {

using namespace sim_test;
using std::chrono::milliseconds;

// Long enough that only a hang reaches it, even under the thread sanitizer.
constexpr auto kHangLimit = std::chrono::seconds(20);

TEST(SimulatorThreadTest, UnplugWakesABlockedEventReader) {
  SimulatedLink link;
  auto events = OpenPath(link, kEventPath);
  ASSERT_NE(events, nullptr);
  std::atomic<bool> reading{false};
  auto reader = std::async(std::launch::async, [&] {
    Event4 report = {4, 0, 0, 0};
    reading = true;
    // Without limit: only the unplug can end this read.
    return events->ReadReport(report, -1);
  });
  while (!reading) {
    std::this_thread::yield();
  }
  std::this_thread::sleep_for(milliseconds(20));
  link.Unplug();
  ASSERT_EQ(reader.wait_for(kHangLimit), std::future_status::ready) << "the reader hangs";
  auto result = reader.get();
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().code, ErrorCode::kDisconnected);
}

// A closing session wakes its listener this way instead of sitting out the read's time-out; a
// wake that comes before the read starts must not be lost either.
TEST(SimulatorThreadTest, InterruptEndsTheCurrentOrNextEventReadOnce) {
  SimulatedLink link;
  auto events = OpenPath(link, kEventPath);
  ASSERT_NE(events, nullptr);
  events->InterruptRead();
  Event4 report = {4, 0, 0, 0};
  auto early = events->ReadReport(report, -1);
  ASSERT_TRUE(early.ok());
  EXPECT_EQ(*early, 0u) << "a wake before the read ends it";

  std::atomic<bool> reading{false};
  auto reader = std::async(std::launch::async, [&] {
    Event4 blocked = {4, 0, 0, 0};
    reading = true;
    return events->ReadReport(blocked, -1);
  });
  while (!reading) {
    std::this_thread::yield();
  }
  std::this_thread::sleep_for(milliseconds(20));
  events->InterruptRead();
  ASSERT_EQ(reader.wait_for(kHangLimit), std::future_status::ready) << "the reader hangs";
  auto woken = reader.get();
  ASSERT_TRUE(woken.ok());
  EXPECT_EQ(*woken, 0u);

  link.SendEventReport(1, 4, 9);
  auto next = events->ReadReport(report, -1);
  ASSERT_TRUE(next.ok()) << "the wake was used up";
  EXPECT_EQ(*next, 4u);
}

TEST(SimulatorThreadTest, UnplugWakesBlockedDataReadsOnEveryInterface) {
  SimulatedLink link;
  auto command = OpenPath(link, kCommandPath);
  auto other = OpenPath(link, "sim/hidraw0#vid_04d9&pid_a124&mi_00");
  ASSERT_NE(command, nullptr);
  ASSERT_NE(other, nullptr);
  auto command_read = std::async(std::launch::async, [&] {
    Frame65 report{};
    return command->ReadReport(report, -1);
  });
  auto other_read = std::async(std::launch::async, [&] {
    Frame65 report{};
    return other->ReadReport(report, -1);
  });
  std::this_thread::sleep_for(milliseconds(20));
  link.Unplug();
  ASSERT_EQ(command_read.wait_for(kHangLimit), std::future_status::ready);
  ASSERT_EQ(other_read.wait_for(kHangLimit), std::future_status::ready);
  EXPECT_EQ(command_read.get().error().code, ErrorCode::kDisconnected);
  EXPECT_EQ(other_read.get().error().code, ErrorCode::kDisconnected);
}

// A worker writes like the write of changes does (send, then wait for the acknowledgement that
// the listener thread hands over) while a listener blocks in reads on the event handle.
void RunWorkerAndListener(SimulatedLink& link, int writes) {
  auto command = OpenPath(link, kCommandPath);
  auto events = OpenPath(link, kEventPath);
  ASSERT_NE(command, nullptr);
  ASSERT_NE(events, nullptr);
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable acked;
  int acks = 0;
  int others = 0;
  std::thread listener([&] {
    while (!stop) {
      Event4 report = {4, 0, 0, 0};
      auto read = events->ReadReport(report, 200);
      if (!read.ok() || *read == 0) {
        continue;
      }
      std::lock_guard lock(mutex);
      (report == kAck ? acks : others)++;
      acked.notify_all();
    }
  });
  const Frame65 payload = DataReport(std::vector<std::uint8_t>(64, 0x33));
  for (int i = 0; i < writes; ++i) {
    if (i % 3 == 0) {
      ASSERT_TRUE(
          command->SendFeatureReport(Command(0x11, 0, static_cast<std::uint8_t>(i % 32), 3)).ok());
      for (int r = 0; r < 3; ++r) {
        ASSERT_TRUE(command->WriteReport(payload).ok());
      }
    } else {
      ASSERT_TRUE(command->SendFeatureReport(Command(0x01, static_cast<std::uint8_t>(i % 4))).ok());
    }
    std::unique_lock lock(mutex);
    ASSERT_TRUE(acked.wait_for(lock, kHangLimit, [&] { return acks == i + 1; }))
        << "no acknowledgement for write " << i;
  }
  stop = true;
  listener.join();
  EXPECT_EQ(acks, writes);
  EXPECT_EQ(others, 0);
  EXPECT_TRUE(DrainEvents(*events).empty()) << "an acknowledgement came twice";
}

TEST(SimulatorThreadTest, WorkerAndListenerSeeEveryAcknowledgementOnce) {
  SimulatedLink link;
  RunWorkerAndListener(link, 60);
  EXPECT_EQ(link.Counters().acknowledgements_sent, 60);
  EXPECT_EQ(link.Counters().writes_completed, 60);
}

TEST(SimulatorThreadTest, DelayedAcknowledgementsReachABlockedListener) {
  SimulatedLink link;
  link.DelayAcknowledgements(milliseconds(5));
  RunWorkerAndListener(link, 10);
}

TEST(SimulatorThreadTest, KeyboardEventsAndControlsRaceWithTheWorker) {
  SimulatedLink link;
  auto command = OpenPath(link, kCommandPath);
  ASSERT_NE(command, nullptr);
  std::atomic<bool> stop{false};
  std::thread keyboard([&] {
    std::uint8_t value = 0;
    while (!stop) {
      link.SendLightingChange(4, value++ % 51);
      link.DropAcknowledgements(1);
      link.ClearFaults();
      static_cast<void>(link.Counters());
    }
  });
  for (int i = 0; i < 200; ++i) {
    const Frame9 answer = Ask(*command, Command(0x88));
    ASSERT_EQ(answer[1], 0x88);
    EXPECT_LE(answer[5], 50);
  }
  stop = true;
  keyboard.join();
}

class HotplugRecorder {
 public:
  void Add(HotplugEvent event) {
    std::lock_guard lock(mutex_);
    events_.push_back(event);
    changed_.notify_all();
  }
  // The events once `count` have come, or what came before the hang limit.
  std::vector<HotplugEvent> WaitFor(std::size_t count) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, kHangLimit, [&] { return events_.size() >= count; });
    return events_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<HotplugEvent> events_;
};

TEST(SimulatorThreadTest, HotplugMonitorReportsUnplugAndReplug) {
  SimulatedLink link;
  HotplugRecorder recorder;
  SimulatedHotplugMonitor monitor(link);
  std::thread::id callback_thread;
  ASSERT_TRUE(monitor
                  .Start([&](HotplugEvent event) {
                    callback_thread = std::this_thread::get_id();
                    recorder.Add(event);
                  })
                  .ok());
  link.Unplug();
  link.Unplug();
  link.Replug();
  link.EnterUpdateMode();
  const std::vector<HotplugEvent> expected = {HotplugEvent::kRemoval, HotplugEvent::kArrival,
                                              HotplugEvent::kRemoval, HotplugEvent::kArrival};
  EXPECT_EQ(recorder.WaitFor(4), expected);
  monitor.Stop();
  EXPECT_NE(callback_thread, std::this_thread::get_id()) << "the callback runs on its own thread";

  link.LeaveUpdateMode();
  std::this_thread::sleep_for(milliseconds(20));
  EXPECT_EQ(recorder.WaitFor(0).size(), 4U) << "a stopped monitor still reported";
}

TEST(SimulatorThreadTest, HotplugCallbackMayUseTheLink) {
  SimulatedLink link;
  std::promise<std::size_t> seen;
  SimulatedHotplugMonitor monitor(link);
  ASSERT_TRUE(monitor
                  .Start([&](HotplugEvent event) {
                    if (event == HotplugEvent::kArrival) {
                      seen.set_value(link.EnumerateInterfaces().size());
                    }
                  })
                  .ok());
  link.Unplug();
  link.Replug();
  auto future = seen.get_future();
  ASSERT_EQ(future.wait_for(kHangLimit), std::future_status::ready);
  EXPECT_EQ(future.get(), 6U);
}

// The hub tells its listeners after letting go of its lock, on the thread that pulled the plug,
// so a listener can look at the keyboard it was told about.
TEST(SimulatorThreadTest, PlugListenersMayAskTheHubWhileTold) {
  SimulatedLink link;
  std::vector<std::size_t> interfaces_seen;
  const int id = link.hub()->AddHotplugListener(
      [&](HotplugEvent) { interfaces_seen.push_back(link.hub()->EnumerateInterfaces().size()); });
  auto done = std::async(std::launch::async, [&] {
    link.Unplug();
    link.Replug();
  });
  ASSERT_EQ(done.wait_for(kHangLimit), std::future_status::ready) << "the hub held its lock";
  link.hub()->RemoveHotplugListener(id);
  EXPECT_EQ(interfaces_seen, (std::vector<std::size_t>{0, 6}));
}

}  // namespace
}  // namespace n240qx
