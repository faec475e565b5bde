#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <optional>

#include "WindowTestSupport.h"
#include "gui/DeviceBackend.h"
#include "sim/SimulatedHotplugMonitor.h"
#include "sim/SimulatedLink.h"
#include "util/VirtualClock.h"

namespace n240qx::testing {
namespace {

class QuietEvents final : public SessionEvents {
 public:
  void OnKeyboardLightingChange(std::uint8_t, std::uint8_t) override {}
  void OnLaunchKey(std::uint8_t) override {}
  void OnProgress(const SequenceProgress&) override {}
  void OnConnectionChanged(bool) override {}
  void OnArrivalRead(const Result<DeviceRead>&, bool, bool) override {}
};

// A backend on an unplugged "hardware" simulator that has fallen back to the stand-in, with a
// wire log.
class BackendOnFallback : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    auto link = std::make_unique<SimulatedLink>();
    hardware_ = link.get();
    hardware_->Unplug();
    auto monitor = std::make_unique<SimulatedHotplugMonitor>(*link);
    DeviceBackend::Setup setup;
    setup.transport = {std::move(link), std::move(monitor), false};
    setup.clock = std::make_unique<VirtualClock>();
    setup.fallback_state = Folder() / "simulated-keyboard.bin";
    setup.wire_log = WireLogFile();
    auto created = DeviceBackend::Create(std::move(setup));
    ASSERT_TRUE(created.ok()) << created.error().message;
    backend_ = std::move(*created);
    backend_->StartSession(events_);
    ASSERT_TRUE(backend_->FallBackToSimulator(events_, [this] { ++arrivals_; }).ok());
    ASSERT_TRUE(backend_->simulated());
  }

  std::filesystem::path Folder() const { return folder_.path().toStdString(); }
  std::filesystem::path WireLogFile() const { return Folder() / "wire.log"; }

  // Connects the current session and waits for its answer.
  Status ConnectNow() {
    std::optional<Status> answer;
    backend_->session().Connect([&](Status status) { answer = std::move(status); });
    EXPECT_TRUE(WaitFor([&] { return answer.has_value(); }));
    return answer.value_or(Error{ErrorCode::kTimeout, "no answer"});
  }

  QTemporaryDir folder_;
  QuietEvents events_;
  SimulatedLink* hardware_ = nullptr;
  int arrivals_ = 0;
  std::unique_ptr<DeviceBackend> backend_;
};

TEST_F(BackendOnFallback, OnlyTheKeyboardItselfTakesTheSessionBackToTheHardware) {
  ASSERT_TRUE(ConnectNow().ok());
  // Plugged in while updating its firmware: not a keyboard the session can work with.
  SimulatedMemory memory = SimulatedMemory::Factory();
  memory.brightness = 7;
  hardware_->SetMemory(memory);
  hardware_->EnterUpdateMode();
  hardware_->Replug();
  ASSERT_TRUE(WaitFor([&] { return arrivals_ > 0; }));
  const Status refused = backend_->ReturnToHardware(events_);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error().code, ErrorCode::kNotFound);
  EXPECT_TRUE(backend_->simulated());

  const int seen = arrivals_;
  hardware_->LeaveUpdateMode();
  ASSERT_TRUE(WaitFor([&] { return arrivals_ > seen; }));
  ASSERT_TRUE(backend_->ReturnToHardware(events_).ok());
  EXPECT_FALSE(backend_->simulated());
  EXPECT_FALSE(backend_->ReturnToHardware(events_).ok());
  ASSERT_TRUE(ConnectNow().ok());
  std::optional<Result<DeviceRead>> read;
  backend_->session().FullRead([&](Result<DeviceRead> answer) { read = std::move(answer); });
  ASSERT_TRUE(WaitFor([&] { return read.has_value(); }));
  ASSERT_TRUE(read->ok()) << read->error().message;
  EXPECT_EQ((*read)->image.brightness(), 7);
  EXPECT_GT(hardware_->Counters().commands_accepted, 0);
  // The hardware's session writes to the wire log that was asked for.
  backend_.reset();
  EXPECT_GT(std::filesystem::file_size(WireLogFile()), 0u);
}

TEST_F(BackendOnFallback, AnArrivalReportedAfterTheBackendWentIsDropped) {
  hardware_->Replug();
  backend_.reset();
  // Nothing the monitor posted may reach the callback of a backend that is gone.
  WaitFor([] { return false; }, 100);
  EXPECT_EQ(arrivals_, 0);
}

}  // namespace
}  // namespace n240qx::testing
