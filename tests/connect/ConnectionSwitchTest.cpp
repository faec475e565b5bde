#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "ConnectionFixture.h"
#include "connect/ConnectionSwitch.h"
#include "sim/SimulatedLink.h"
#include "support/TempDir.h"
#include "util/VirtualClock.h"

namespace n240qx::testing {
namespace {

// A switch whose "keyboard" is a simulator with memory of its own that starts unplugged, so that it
// has fallen back to the stand-in; with a wire log. `busy` stands for the window's running
// sequence.
class SwitchOnStandIn : public ::testing::Test {
 protected:
  void SetUp() override {
    SimulatedMemory memory = SimulatedMemory::Factory();
    memory.brightness = 7;
    keyboard_ = std::make_shared<SimulatedLink>(memory);
    keyboard_->Unplug();
    DeviceConnectionFactory::Options options;
    options.keyboard = DeviceTransport::OnSimulator(keyboard_, true);
    options.keyboard.simulated = false;
    options.fallback_state = StandInFile();
    options.wire_log = WireLogFile();
    options.clock = std::make_unique<VirtualClock>();
    auto factory = DeviceConnectionFactory::Create(std::move(options));
    ASSERT_TRUE(factory.ok()) << factory.error().message;
    ConnectionSwitch::Hooks hooks{[this] {
                                    ++busy_asked_;
                                    return busy_;
                                  },
                                  [this] { ++returns_; }};
    switch_ = std::make_unique<ConnectionSwitch>(std::move(*factory), owner_.dispatcher,
                                                 owner_.events, std::move(hooks));
    switch_->Start();
    ASSERT_FALSE(switch_->simulated());
    const Status absent = Connect();
    ASSERT_FALSE(absent.ok());
    ASSERT_EQ(absent.error().code, ErrorCode::kNotFound);
    ASSERT_TRUE(switch_->CanFallBack());
    ASSERT_TRUE(switch_->FallBackToSimulator().ok());
    ASSERT_TRUE(switch_->simulated());
  }

  std::filesystem::path StandInFile() const { return folder_.path() / "simulated-keyboard.bin"; }
  std::filesystem::path WireLogFile() const { return folder_.path() / "wire.log"; }

  Status Connect() {
    return owner_.Await<Status>([&](auto done) { switch_->session().Connect(std::move(done)); })
        .value_or(Error{ErrorCode::kTimeout, "no answer"});
  }
  // Waits until the switch has heard of the keyboard's arrival.
  void PlugKeyboardIn() {
    const int asked = busy_asked_;
    keyboard_->Replug();
    ASSERT_TRUE(owner_.WaitFor([&] { return busy_asked_ > asked; }));
  }

  TempDir folder_;
  OwningThread owner_;
  std::shared_ptr<SimulatedLink> keyboard_;
  bool busy_ = false;
  int busy_asked_ = 0;
  int returns_ = 0;
  std::unique_ptr<ConnectionSwitch> switch_;
};

TEST_F(SwitchOnStandIn, TheStandInWorksOnMemoryKeptBesideTheSettingsAndIsTakenOnce) {
  ASSERT_TRUE(Connect().ok());
  EXPECT_TRUE(std::filesystem::exists(StandInFile()));
  EXPECT_FALSE(switch_->CanFallBack());
  EXPECT_FALSE(switch_->FallBackToSimulator().ok());
  const Status absent = switch_->ReturnToKeyboard();
  ASSERT_FALSE(absent.ok());
  EXPECT_EQ(absent.error().code, ErrorCode::kNotFound);
  EXPECT_TRUE(switch_->simulated());
  EXPECT_FALSE(switch_->watch_failure().has_value());
}

TEST_F(SwitchOnStandIn, OnlyTheKeyboardItselfTakesTheSessionBack) {
  ASSERT_TRUE(Connect().ok());
  // Plugged in while updating its firmware: not a keyboard the session can work with.
  keyboard_->EnterUpdateMode();
  PlugKeyboardIn();
  EXPECT_TRUE(switch_->simulated());
  EXPECT_EQ(returns_, 0);

  keyboard_->LeaveUpdateMode();
  ASSERT_TRUE(owner_.WaitFor([&] { return returns_ > 0; }));
  EXPECT_FALSE(switch_->simulated());
  EXPECT_FALSE(switch_->ReturnToKeyboard().ok());
  ASSERT_TRUE(Connect().ok());
  auto read = owner_.Await<Result<DeviceRead>>(
      [&](auto done) { switch_->session().FullRead(std::move(done)); });
  ASSERT_TRUE(read.has_value());
  ASSERT_TRUE(read->ok()) << read->error().message;
  EXPECT_EQ((*read)->image.brightness(), 7);
  EXPECT_GT(keyboard_->Counters().commands_accepted, 0);
  // Stand-in and keyboard both wrote to the one wire log that was asked for.
  switch_.reset();
  EXPECT_GT(std::filesystem::file_size(WireLogFile()), 0u);
}

TEST_F(SwitchOnStandIn, AnArrivalDuringASequenceSwitchesOnceWhenTheSessionIsIdle) {
  busy_ = true;
  PlugKeyboardIn();
  EXPECT_TRUE(switch_->simulated()) << "the running sequence keeps its session";
  switch_->OnSequenceEnded();
  EXPECT_TRUE(switch_->simulated()) << "another sequence has started meanwhile";
  EXPECT_EQ(returns_, 0);

  busy_ = false;
  switch_->OnSequenceEnded();
  EXPECT_FALSE(switch_->simulated());
  EXPECT_EQ(returns_, 1);
  switch_->OnSequenceEnded();
  EXPECT_EQ(returns_, 1);
  EXPECT_TRUE(Connect().ok());
}

TEST_F(SwitchOnStandIn, AnArrivalReportedAfterTheSwitchWentIsDropped) {
  keyboard_->Replug();
  switch_.reset();
  // Nothing the monitor posted may reach a switch that is gone.
  owner_.WaitFor([] { return false; }, std::chrono::milliseconds(100));
  EXPECT_EQ(busy_asked_, 0);
  EXPECT_EQ(returns_, 0);
}

}  // namespace
}  // namespace n240qx::testing
