#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "CommandBench.h"
#include "ScriptedHidLink.h"
#include "device/DeviceLink.h"
#include "device/ReadCommands.h"
#include "device/WriteCommands.h"
#include "util/VirtualClock.h"

namespace n240qx {
namespace {

using scripted::ScriptedHidLink;

HidInterfaceInfo Interface(std::string path, std::uint16_t product = kKeyboardProductId,
                           std::uint16_t vendor = kKeyboardVendorId, bool denied = false) {
  return HidInterfaceInfo{std::move(path), vendor, product, denied};
}

TEST(DeviceSearch, FindsTheCommandAndEventInterfacesByMarker) {
  ScriptedHidLink keyboard;
  keyboard.AddKeyboardInterfaces("/dev/hidraw2");
  DeviceLink link(keyboard);
  EXPECT_EQ(link.device_path(), "");
  EXPECT_EQ(link.found_vendor_id(), 0);

  ASSERT_TRUE(link.FindKeyboardInterface(kCommandInterfaceMarker));
  EXPECT_EQ(link.device_path(), "/dev/hidraw2#vid_04d9&pid_a124&mi_03");
  EXPECT_EQ(link.found_vendor_id(), 0x04D9);
  EXPECT_EQ(link.found_product_id(), 0xA124);
  ASSERT_TRUE(link.OpenCommandHandle().ok());

  ASSERT_TRUE(link.FindKeyboardInterface(kEventInterfaceMarker));
  EXPECT_EQ(link.device_path(), "/dev/hidraw2#vid_04d9&pid_a124&mi_03&col04");
  ASSERT_TRUE(link.OpenEventHandle().ok());
  EXPECT_TRUE(link.CommandOpen());
  EXPECT_TRUE(link.EventOpen());
}

TEST(DeviceSearch, MarkersAreCaseSensitiveAndOnlyTheKeyboardsIdsMatch) {
  ScriptedHidLink others;
  others.AddInterface(Interface("/dev/hidraw0#vid_04d9&pid_a124&MI_03"));
  others.AddInterface(Interface("/dev/hidraw1#vid_04d9&pid_a125&mi_03", 0xA125));
  others.AddInterface(Interface("/dev/hidraw2#vid_04d9&pid_a126&mi_03", kUpdateModeProductId));
  others.AddInterface(
      Interface("/dev/hidraw3#vid_1234&pid_a124&mi_03", kKeyboardProductId, 0x1234));
  DeviceLink link(others);
  EXPECT_FALSE(link.FindKeyboardInterface("mi_03"));
  EXPECT_EQ(link.device_path(), "");
  EXPECT_EQ(link.found_product_id(), 0);
}

TEST(DeviceSearch, TheFirstEnumeratedKeyboardWinsAndLongPathsAreKeptWhole) {
  ScriptedHidLink keyboard;
  const std::string long_path = "/dev/" + std::string(980, 'x') + "#vid_04d9&pid_a124&mi_03";
  ASSERT_GT(long_path.size(), 1000U);
  keyboard.AddInterface(Interface(long_path));
  keyboard.AddInterface(Interface("/dev/hidraw9#vid_04d9&pid_a124&mi_03"));
  DeviceLink link(keyboard);
  ASSERT_TRUE(link.FindKeyboardInterface("mi_03"));
  EXPECT_EQ(link.device_path(), long_path);
  ASSERT_TRUE(link.OpenCommandHandle().ok());
  EXPECT_EQ(keyboard.OpenedPaths().back(), long_path);
}

TEST(DeviceSearch, AFailedSearchKeepsWhatTheLastOneFound) {
  ScriptedHidLink keyboard;
  keyboard.AddKeyboardInterfaces("/dev/hidraw5");
  DeviceLink link(keyboard);
  ASSERT_TRUE(link.FindKeyboardInterface("mi_03"));
  const std::string found = link.device_path();
  EXPECT_FALSE(link.FindKeyboardInterface("mi_07"));
  EXPECT_EQ(link.device_path(), found);
  EXPECT_EQ(link.found_product_id(), 0xA124);

  // The next open targets that path and fails once the keyboard is gone.
  keyboard.Unplug();
  EXPECT_FALSE(link.FindKeyboardInterface("mi_03"));
  const Status opened = link.OpenCommandHandle();
  ASSERT_FALSE(opened.ok());
  EXPECT_EQ(opened.error().code, ErrorCode::kNotFound);
  EXPECT_EQ(keyboard.OpenedPaths().back(), found);
}

TEST(DeviceSearch, UpdateModeProbeLooksForTheOtherProductAndRecordsNothing) {
  ScriptedHidLink keyboard;
  keyboard.AddInterface(Interface("/dev/hidraw1#vid_04d9&pid_a124&mi_02"));
  DeviceLink link(keyboard);
  EXPECT_FALSE(link.FindUpdateModeInterface()) << "the keyboard's own mi_02 is not update mode";
  EXPECT_TRUE(link.FindKeyboardInterface(kUpdateModeInterfaceMarker));

  ScriptedHidLink updating;
  updating.AddInterface(Interface("/dev/hidraw1#vid_04d9&pid_a126&mi_02", kUpdateModeProductId));
  DeviceLink probe(updating);
  EXPECT_TRUE(probe.FindUpdateModeInterface());
  EXPECT_EQ(probe.device_path(), "");
  EXPECT_EQ(probe.found_product_id(), 0);
}

TEST(DeviceOpen, PermissionDeniedIsToldApartFromNotFound) {
  ScriptedHidLink keyboard;
  const std::string path = "/dev/hidraw6#vid_04d9&pid_a124&mi_03";
  keyboard.AddInterface(Interface(path, kKeyboardProductId, kKeyboardVendorId, true));
  DeviceLink link(keyboard);
  ASSERT_TRUE(link.FindKeyboardInterface("mi_03"));
  const Status denied = link.OpenCommandHandle();
  ASSERT_FALSE(denied.ok());
  EXPECT_EQ(denied.error().code, ErrorCode::kPermissionDenied);
  EXPECT_NE(denied.error().message.find(path), std::string::npos);
  EXPECT_NE(denied.error().message.find("udev rule"), std::string::npos);
  EXPECT_FALSE(link.CommandOpen());
}

TEST(DeviceOpen, WithNoKeyboardBothOpensFailAndNothingIsSent) {
  ScriptedHidLink nothing;
  nothing.AddInterface(Interface("/dev/hidraw0#vid_046d&pid_c52b&mi_03", 0xC52B, 0x046D));
  VirtualClock clock;
  DeviceLink link(nothing);
  EXPECT_FALSE(link.FindKeyboardInterface(kCommandInterfaceMarker));
  const Status command = link.OpenCommandHandle();
  EXPECT_FALSE(link.FindKeyboardInterface(kEventInterfaceMarker));
  const Status event = link.OpenEventHandle();
  ASSERT_FALSE(command.ok());
  ASSERT_FALSE(event.ok());
  EXPECT_EQ(command.error().code, ErrorCode::kNotFound);
  EXPECT_EQ(event.error().code, ErrorCode::kNotFound);
  EXPECT_FALSE(link.CommandOpen());
  EXPECT_FALSE(link.EventOpen());

  ConfigImage image;
  ReadCommands reads(link.command_channel(), clock);
  WriteCommands writes(link.command_channel(), clock);
  EXPECT_EQ(reads.ReadKeyMap(image).error().code, ErrorCode::kNotOpen);
  EXPECT_EQ(writes.FactoryReset().error().code, ErrorCode::kNotOpen);
  EXPECT_EQ(link.ReadEventReport(200).error().code, ErrorCode::kNotOpen);
  EXPECT_EQ(nothing.TransferCount(), 0);
  EXPECT_TRUE(nothing.OpenedPaths().empty()) << "an empty path is never opened";
  EXPECT_EQ(clock.SleptMs(), 0) << "a command without a handle does not pause either";
}

TEST(DeviceOpen, CloseLinkClosesBothAndAFailedReopenLeavesTheHandleClosed) {
  ScriptedHidLink keyboard;
  keyboard.AddKeyboardInterfaces("/dev/hidraw3");
  DeviceLink link(keyboard);
  ASSERT_TRUE(link.FindKeyboardInterface("mi_03"));
  ASSERT_TRUE(link.OpenCommandHandle().ok());
  ASSERT_TRUE(link.OpenEventHandle().ok());
  link.CloseLink();
  EXPECT_FALSE(link.CommandOpen());
  EXPECT_FALSE(link.EventOpen());

  ASSERT_TRUE(link.OpenCommandHandle().ok());
  keyboard.Unplug();
  EXPECT_FALSE(link.OpenCommandHandle().ok());
  EXPECT_FALSE(link.CommandOpen());
}

class EventLink : public ::testing::Test {
 protected:
  void SetUp() override {
    keyboard.AddKeyboardInterfaces("/dev/hidraw7");
    ASSERT_TRUE(link.FindKeyboardInterface(kEventInterfaceMarker));
    ASSERT_TRUE(link.OpenEventHandle().ok());
  }

  ScriptedHidLink keyboard;
  DeviceLink link{keyboard};
};

TEST_F(EventLink, ReportsArriveDecodedAndSilenceIsNoReport) {
  keyboard.QueueEvent({0x04, 0x01, 0x03, 0x03});
  const auto report = link.ReadEventReport(100);
  ASSERT_TRUE(report.ok());
  ASSERT_TRUE(report->has_value());
  EXPECT_EQ(**report, (EventReport{4, 1, 3, 3}));

  const auto silence = link.ReadEventReport(100);
  ASSERT_TRUE(silence.ok());
  EXPECT_FALSE(silence->has_value());
}

TEST_F(EventLink, WaitsAreBoundedSoAStopIsSeenPromptly) {
  (void)link.ReadEventReport(5000);
  (void)link.ReadEventReport(50);
  (void)link.ReadEventReport(-1);
  EXPECT_EQ(keyboard.EventTimeouts(), (std::vector<int>{200, 50, 0}));
}

TEST_F(EventLink, AnUnplugIsAnErrorNotSilence) {
  keyboard.Unplug();
  const auto report = link.ReadEventReport(200);
  ASSERT_FALSE(report.ok());
  EXPECT_EQ(report.error().code, ErrorCode::kDisconnected);
}

// The worker's commands and the listener's reads run at once on one link; the thread sanitizer
// build checks that they share nothing unguarded.
TEST(DeviceThreads, WorkerAndListenerUseTheLinkAtTheSameTime) {
  scripted::CommandBench bench;
  ASSERT_TRUE(bench.link.FindKeyboardInterface(kEventInterfaceMarker));
  ASSERT_TRUE(bench.link.OpenEventHandle().ok());
  constexpr int kRounds = 200;
  for (int i = 0; i < kRounds; ++i) {
    bench.keyboard.QueueEvent({0x04, 0x04, 0x00, static_cast<std::uint8_t>(i)});
  }
  std::atomic<int> acknowledgements{0};
  std::thread listener([&] {
    while (acknowledgements.load() < kRounds) {
      auto report = bench.link.ReadEventReport(kMaxEventWaitMs);
      if (!report.ok()) {
        return;
      }
      if (report->has_value() && (*report)->kind == 4) {
        ++acknowledgements;
      }
    }
  });
  int written = 0;
  for (int i = 0; i < kRounds; ++i) {
    if (bench.writes.SelectModeOne().ok()) {
      ++written;
    }
  }
  listener.join();
  EXPECT_EQ(written, kRounds);
  EXPECT_EQ(acknowledgements.load(), kRounds);
}

TEST(DeviceThreads, ClosingFromAnotherThreadEndsTheListenersReads) {
  ScriptedHidLink keyboard;
  keyboard.AddKeyboardInterfaces("/dev/hidraw8");
  DeviceLink link(keyboard);
  ASSERT_TRUE(link.FindKeyboardInterface(kEventInterfaceMarker));
  ASSERT_TRUE(link.OpenEventHandle().ok());
  std::atomic<bool> started{false};
  ErrorCode ended_with = ErrorCode::kIo;
  std::thread listener([&] {
    for (;;) {
      auto report = link.ReadEventReport(kMaxEventWaitMs);
      started = true;
      if (!report.ok()) {
        ended_with = report.error().code;
        return;
      }
    }
  });
  while (!started.load()) {
    std::this_thread::yield();
  }
  link.CloseEventHandle();
  listener.join();
  EXPECT_EQ(ended_with, ErrorCode::kNotOpen);
}

}  // namespace
}  // namespace n240qx
