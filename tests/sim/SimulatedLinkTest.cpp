#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "device/LoggingHidLink.h"
#include "device/WireLog.h"
#include "sim/SimFrames.h"
#include "sim/SimulatedLink.h"
#include "util/VirtualClock.h"

namespace n240qx {
namespace {

using namespace sim_test;

bool Contains(const std::string& path, const char* marker) {
  return path.find(marker) != std::string::npos;
}

TEST(SimulatedLinkTest, EnumeratesTheKeyboardInterfacesInWindowsForm) {
  SimulatedLink link;
  const auto interfaces = link.EnumerateInterfaces();
  ASSERT_EQ(interfaces.size(), 6U);
  int commands = 0;
  int events = 0;
  for (const auto& interface : interfaces) {
    EXPECT_EQ(interface.vendor_id, 0x04D9);
    EXPECT_EQ(interface.product_id, 0xA124);
    EXPECT_FALSE(interface.permission_denied);
    commands += Contains(interface.path, "mi_03");
    events += Contains(interface.path, "ol04");
    EXPECT_FALSE(Contains(interface.path, "MI_03"));
  }
  EXPECT_EQ(commands, 1);
  EXPECT_EQ(events, 1);
  EXPECT_EQ(interfaces.back().path, kCommandPath);
  EXPECT_EQ(interfaces[4].path, kEventPath);
}

TEST(SimulatedLinkTest, OpenRefusesUnknownPaths) {
  SimulatedLink link;
  auto opened = link.Open("sim/hidraw9#vid_04d9&pid_a124&mi_03");
  ASSERT_FALSE(opened.ok());
  EXPECT_EQ(opened.error().code, ErrorCode::kNotFound);
}

TEST(SimulatedLinkTest, ReportsOfTheWrongShapeAreRefused) {
  SimulatedLink link;
  auto command = OpenPath(link, kCommandPath);
  ASSERT_NE(command, nullptr);
  const std::uint8_t short_feature[5] = {0, 0x81, 0, 0, 0};
  auto sent = command->SendFeatureReport(short_feature);
  ASSERT_FALSE(sent.ok());
  EXPECT_EQ(sent.error().code, ErrorCode::kInvalidArgument);
  const std::uint8_t short_data[64] = {};
  auto written = command->WriteReport(short_data);
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.error().code, ErrorCode::kInvalidArgument);

  auto events = OpenPath(link, kEventPath);
  ASSERT_NE(events, nullptr);
  auto feature_on_events = events->SendFeatureReport(Command(0x81));
  ASSERT_FALSE(feature_on_events.ok());
  EXPECT_EQ(feature_on_events.error().code, ErrorCode::kIo);
}

// Fault injection, each on a fresh keyboard with one command and one event handle.
class SimulatorFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    command_ = OpenPath(link_, kCommandPath);
    events_ = OpenPath(link_, kEventPath);
    ASSERT_NE(command_, nullptr);
    ASSERT_NE(events_, nullptr);
  }

  Result<std::size_t> ReadData(Frame65& report, int timeout_ms = 0) {
    return command_->ReadReport(report, timeout_ms);
  }

  SimulatedLink link_;
  std::unique_ptr<HidDevice> command_;
  std::unique_ptr<HidDevice> events_;
};

TEST_F(SimulatorFaultTest, FailedFeatureSendIsNotReceived) {
  link_.FailTransfers(TransferKind::kFeatureSend);
  auto failed = command_->SendFeatureReport(Command(0x01, 1));
  ASSERT_FALSE(failed.ok());
  EXPECT_EQ(failed.error().code, ErrorCode::kIo);
  EXPECT_NE(link_.Memory().report_rate, 1);
  EXPECT_TRUE(DrainEvents(*events_).empty());

  ASSERT_TRUE(command_->SendFeatureReport(Command(0x01, 1)).ok()) << "only the next one fails";
  EXPECT_EQ(link_.Memory().report_rate, 1);
  EXPECT_EQ(DrainEvents(*events_).size(), 1U);
}

TEST_F(SimulatorFaultTest, FailedAnswerCanBeFetchedAgain) {
  link_.FailTransfers(TransferKind::kAnswer);
  ASSERT_TRUE(command_->SendFeatureReport(Command(0x80)).ok());
  Frame9 answer{};
  auto failed = command_->GetFeatureReport(answer);
  ASSERT_FALSE(failed.ok());
  EXPECT_EQ(failed.error().code, ErrorCode::kIo);
  auto fetched = command_->GetFeatureReport(answer);
  ASSERT_TRUE(fetched.ok());
  EXPECT_EQ(Hex(answer), "00 80 01 05 00 00 00 00 79");
}

TEST_F(SimulatorFaultTest, FailedDataReadsLoseTheirReports) {
  SimulatedMemory memory = link_.Memory();
  for (std::size_t i = 0; i < memory.key_map.size(); ++i) {
    memory.key_map[i] = static_cast<std::uint8_t>(i / 64);
  }
  link_.SetMemory(memory);
  link_.FailTransfers(TransferKind::kDataIn, 2);
  Ask(*command_, Command(0x8D));
  Frame65 report{};
  EXPECT_FALSE(ReadData(report).ok());
  EXPECT_FALSE(ReadData(report).ok());
  auto read = ReadData(report);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(*read, 65U);
  EXPECT_EQ(report[1], 2) << "the third report follows the two lost ones";
}

TEST_F(SimulatorFaultTest, FailedDataWriteLeavesTheWriteIncomplete) {
  const SimulatedMemory before = link_.Memory();
  link_.FailTransfers(TransferKind::kDataOut);
  ASSERT_TRUE(command_->SendFeatureReport(Command(0x0D, 0, 0, 8)).ok());
  const Frame65 report = DataReport(std::vector<std::uint8_t>(64, 0x5A));
  int failures = 0;
  for (int i = 0; i < 8; ++i) {
    failures += command_->WriteReport(report).ok() ? 0 : 1;
  }
  EXPECT_EQ(failures, 1);
  EXPECT_TRUE(DrainEvents(*events_).empty());
  EXPECT_EQ(link_.Memory().key_map, before.key_map);
}

TEST_F(SimulatorFaultTest, EveryTransferFailsUntilCleared) {
  link_.FailTransfers(TransferKind::kAny, kEveryTime);
  Frame9 answer{};
  Frame65 report{};
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(command_->SendFeatureReport(Command(0x81)).ok());
    EXPECT_FALSE(command_->GetFeatureReport(answer).ok());
    EXPECT_FALSE(command_->WriteReport(report).ok());
    EXPECT_FALSE(ReadData(report).ok());
  }
  link_.ClearFaults();
  EXPECT_EQ(Ask(*command_, Command(0x81))[1], 0x81);
}

TEST_F(SimulatorFaultTest, SilentKeyboardTimesOutAndStoresNothing) {
  const SimulatedMemory before = link_.Memory();
  link_.StopAnswering();
  ASSERT_TRUE(command_->SendFeatureReport(Command(0x8D)).ok());
  Frame9 answer{};
  auto fetched = command_->GetFeatureReport(answer);
  ASSERT_FALSE(fetched.ok());
  EXPECT_EQ(fetched.error().code, ErrorCode::kTimeout);
  Frame65 report{};
  auto read = ReadData(report, 10);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(*read, 0U);

  ASSERT_TRUE(command_->SendFeatureReport(Command(0x01, 0)).ok());
  EXPECT_EQ(link_.Memory(), before);
  EXPECT_TRUE(DrainEvents(*events_).empty());

  link_.ResumeAnswering();
  EXPECT_EQ(Hex(Ask(*command_, Command(0x81))), "00 81 03 00 00 00 00 00 7B");
}

TEST_F(SimulatorFaultTest, RandomGarbageReplacesTheNextAnswer) {
  link_.AnswerGarbage(GarbageKind::kRandomBytes);
  ASSERT_TRUE(command_->SendFeatureReport(Command(0x80)).ok());
  Frame9 answer{};
  auto fetched = command_->GetFeatureReport(answer);
  ASSERT_TRUE(fetched.ok());
  EXPECT_EQ(*fetched, 9U);
  EXPECT_NE(Hex(answer), "00 80 01 05 00 00 00 00 79");
  EXPECT_EQ(Hex(Ask(*command_, Command(0x80))), "00 80 01 05 00 00 00 00 79");
}

TEST_F(SimulatorFaultTest, WrongLengthGarbageShortensAnswersAndDataReports) {
  link_.AnswerGarbage(GarbageKind::kWrongLength, 2);
  ASSERT_TRUE(command_->SendFeatureReport(Command(0x8D)).ok());
  Frame9 answer{};
  auto fetched = command_->GetFeatureReport(answer);
  ASSERT_TRUE(fetched.ok());
  EXPECT_EQ(*fetched, 5U);
  Frame65 report{};
  auto read = ReadData(report);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(*read, 33U);
  read = ReadData(report);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(*read, 65U);
}

TEST_F(SimulatorFaultTest, DroppedAcknowledgementsAreCounted) {
  link_.DropAcknowledgements(2);
  for (std::uint8_t rate = 0; rate < 4; ++rate) {
    ASSERT_TRUE(command_->SendFeatureReport(Command(0x01, rate)).ok());
  }
  EXPECT_EQ(DrainEvents(*events_).size(), 2U);
  EXPECT_EQ(link_.Memory().report_rate, 3) << "a dropped acknowledgement still stores the write";
  const SimulatorCounters counters = link_.Counters();
  EXPECT_EQ(counters.acknowledgements_dropped, 2);
  EXPECT_EQ(counters.acknowledgements_sent, 2);

  link_.DropAcknowledgements(kEveryTime);
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(command_->SendFeatureReport(Command(0x18, 1)).ok());
  }
  EXPECT_TRUE(DrainEvents(*events_).empty());
}

TEST_F(SimulatorFaultTest, DelayedAcknowledgementArrivesLater) {
  link_.DelayAcknowledgements(std::chrono::milliseconds(500));
  ASSERT_TRUE(command_->SendFeatureReport(Command(0x18, 1)).ok());
  EXPECT_TRUE(DrainEvents(*events_).empty()) << "the acknowledgement came before its delay";
  Event4 report = {4, 0, 0, 0};
  auto read = events_->ReadReport(report, 10000);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(*read, 4U);
  EXPECT_EQ(report, kAck);
}

TEST_F(SimulatorFaultTest, UnplugKillsHandlesAndReplugBringsTheKeyboardBack) {
  ASSERT_TRUE(command_->SendFeatureReport(Command(0x01, 1)).ok());
  link_.Unplug();
  EXPECT_FALSE(link_.IsPlugged());
  EXPECT_TRUE(link_.EnumerateInterfaces().empty());
  auto reopened = link_.Open(kCommandPath);
  ASSERT_FALSE(reopened.ok());
  EXPECT_EQ(reopened.error().code, ErrorCode::kNotFound);

  Frame9 answer{};
  Event4 event{};
  auto sent = command_->SendFeatureReport(Command(0x81));
  ASSERT_FALSE(sent.ok());
  EXPECT_EQ(sent.error().code, ErrorCode::kDisconnected);
  EXPECT_EQ(command_->GetFeatureReport(answer).error().code, ErrorCode::kDisconnected);
  EXPECT_EQ(events_->ReadReport(event, 0).error().code, ErrorCode::kDisconnected);

  link_.Replug();
  EXPECT_EQ(link_.EnumerateInterfaces().size(), 6U);
  EXPECT_EQ(command_->SendFeatureReport(Command(0x81)).error().code, ErrorCode::kDisconnected)
      << "a handle from before the unplug stays dead";
  auto fresh = OpenPath(link_, kCommandPath);
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(Ask(*fresh, Command(0x81))[2], 1) << "the keyboard keeps its memory";
}

TEST_F(SimulatorFaultTest, UnplugInTheMiddleOfABulkWriteLosesIt) {
  const SimulatedMemory before = link_.Memory();
  ASSERT_TRUE(command_->SendFeatureReport(Command(0x0D, 0, 0, 8)).ok());
  const Frame65 report = DataReport(std::vector<std::uint8_t>(64, 0x5A));
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(command_->WriteReport(report).ok());
  }
  link_.Unplug();
  link_.Replug();
  auto fresh = OpenPath(link_, kCommandPath);
  ASSERT_NE(fresh, nullptr);
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(fresh->WriteReport(report).ok());
  }
  EXPECT_EQ(link_.Memory().key_map, before.key_map);
  EXPECT_EQ(link_.Counters().writes_completed, 0);
}

TEST_F(SimulatorFaultTest, UpdateModeShowsOnlyTheUpdaterInterface) {
  link_.EnterUpdateMode();
  const auto interfaces = link_.EnumerateInterfaces();
  ASSERT_EQ(interfaces.size(), 1U);
  EXPECT_TRUE(Contains(interfaces[0].path, "mi_02"));
  EXPECT_EQ(interfaces[0].vendor_id, 0x04D9);
  EXPECT_EQ(interfaces[0].product_id, 0xA126);
  EXPECT_EQ(link_.Open(kCommandPath).error().code, ErrorCode::kNotFound);
  EXPECT_EQ(command_->SendFeatureReport(Command(0x81)).error().code, ErrorCode::kDisconnected);
  auto updater = link_.Open(interfaces[0].path);
  ASSERT_TRUE(updater.ok());

  link_.LeaveUpdateMode();
  EXPECT_EQ(link_.EnumerateInterfaces().size(), 6U);
  Event4 event{};
  EXPECT_EQ((*updater)->ReadReport(event, 0).error().code, ErrorCode::kDisconnected);
}

TEST_F(SimulatorFaultTest, PermissionDeniedShowsTheNodeButRefusesToOpenIt) {
  link_.SetPermissionDenied(true);
  const auto interfaces = link_.EnumerateInterfaces();
  ASSERT_FALSE(interfaces.empty());
  EXPECT_TRUE(interfaces[0].permission_denied);
  auto opened = link_.Open(kCommandPath);
  ASSERT_FALSE(opened.ok());
  EXPECT_EQ(opened.error().code, ErrorCode::kPermissionDenied);
  EXPECT_NE(opened.error().message.find("udev rule"), std::string::npos);
}

TEST_F(SimulatorFaultTest, LightingChangeOnTheKeyboardIsReportedAndKept) {
  link_.SendLightingChange(3, 2);
  link_.SendLightingChange(4, 20);
  link_.SendLightingChange(2, 7);
  const std::vector<Event4> expected = {{4, 1, 3, 2}, {4, 1, 4, 20}, {4, 1, 2, 7}};
  EXPECT_EQ(DrainEvents(*events_), expected);
  const SimulatedMemory memory = link_.Memory();
  EXPECT_EQ(memory.effect_speed, 2);
  EXPECT_EQ(memory.brightness, 20);
  EXPECT_EQ(memory.light_effect, 7);
  EXPECT_EQ(Ask(*command_, Command(0x88))[4], 2) << "a read gives the keyboard's new speed";
}

TEST_F(SimulatorFaultTest, LaunchKeyPressIsAKindTwoReport) {
  link_.SendLaunchKey(0x15);
  const std::vector<Event4> expected = {{4, 2, 0x15, 0}};
  EXPECT_EQ(DrainEvents(*events_), expected);
}

TEST_F(SimulatorFaultTest, EachOpenEventHandleGetsItsOwnCopy) {
  auto second = OpenPath(link_, kEventPath);
  ASSERT_NE(second, nullptr);
  ASSERT_TRUE(command_->SendFeatureReport(Command(0x18, 0)).ok());
  auto late = OpenPath(link_, kEventPath);
  ASSERT_NE(late, nullptr);
  EXPECT_EQ(DrainEvents(*events_).size(), 1U);
  EXPECT_EQ(DrainEvents(*second).size(), 1U);
  EXPECT_TRUE(DrainEvents(*late).empty()) << "a handle opened later missed the report";
}

TEST(SimulatedLinkTest, WireLogRecordsTheSimulatedExchange) {
  SimulatedLink simulator;
  VirtualClock clock;
  WireLog log(clock, nullptr, true);
  LoggingHidLink link(simulator, log);
  auto command = OpenPath(link, kCommandPath);
  auto events = OpenPath(link, kEventPath);
  ASSERT_NE(command, nullptr);
  ASSERT_NE(events, nullptr);
  Ask(*command, Command(0x80));
  ASSERT_TRUE(command->SendFeatureReport(Command(0x18, 1)).ok());
  DrainEvents(*events);

  const auto entries = log.Entries();
  ASSERT_EQ(entries.size(), 4U);
  EXPECT_EQ(entries[0].kind, WireKind::kFeature);
  EXPECT_EQ(entries[1].kind, WireKind::kAnswer);
  EXPECT_EQ(Hex(entries[1].bytes), "00 80 01 05 00 00 00 00 79");
  EXPECT_EQ(entries[2].kind, WireKind::kFeature);
  EXPECT_EQ(entries[3].kind, WireKind::kEvent);
  EXPECT_EQ(Hex(entries[3].bytes), "04 04 00 00");
}

}  // namespace
}  // namespace n240qx
