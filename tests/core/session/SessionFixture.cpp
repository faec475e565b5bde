#include "core/session/SessionFixture.h"

#include "support/StateStores.h"
#include "support/Wait.h"

namespace n240qx::testing {

SessionFixture::SessionFixture() : state(std::make_unique<ConfiguratorState>()) {
  state->UseStores(StoresIn(dir.path()));
  ConfiguratorSessionEvents::Hooks hooks;
  hooks.launch_key = [this](std::uint8_t code) { launches.push_back(code); };
  hooks.connection = [this](bool connected) { connections.push_back(connected); };
  hooks.arrival = [this](const SequenceEnd& end, bool reset, bool listening) {
    arrivals.emplace_back(end, reset);
    arrivals_listening.push_back(listening);
  };
  hooks.progress = [this](const SequenceProgress& step) { progress.push_back(step); };
  hooks.arrival_running = [this](bool running) { arrival_running.push_back(running); };
  hooks.waiting_for_keyboard = [this](bool waiting) { waiting_for_keyboard.push_back(waiting); };
  events = std::make_unique<ConfiguratorSessionEvents>(*state, hooks);
}

SessionFixture::~SessionFixture() {
  session.reset();
  monitor.reset();
}

DeviceSessionOptions SessionFixture::FastOptions() {
  DeviceSessionOptions options;
  options.ack_timeout = std::chrono::milliseconds(300);
  options.lock_wait = std::chrono::milliseconds(300);
  return options;
}

void SessionFixture::StartSession(DeviceSessionOptions options, bool watch_hotplug) {
  session = std::make_unique<DeviceSession>(logged, clock, dispatcher, *events, options);
  if (watch_hotplug) {
    monitor = std::make_unique<SimulatedHotplugMonitor>(sim);
    ASSERT_TRUE(session->WatchHotplug(*monitor).ok());
  }
}

void SessionFixture::ConnectAndRead() {
  if (!session) {
    StartSession();
  }
  auto connected = Await<Status>([&](auto done) { session->Connect(std::move(done)); });
  ASSERT_TRUE(connected && connected->ok());
  auto read = FullRead();
  ASSERT_TRUE(read && read->ok()) << (read ? read->error().message : "hang");
  state->ApplyFullRead(**read);
  wire.Clear();
  progress.clear();
}

bool SessionFixture::PumpUntil(const std::function<bool()>& condition) {
  return WaitUntil(
      condition, [this] { dispatcher.RunOne(std::chrono::milliseconds(20)); }, kHangLimit);
}

std::optional<Result<DeviceRead>> SessionFixture::FullRead() {
  return Await<Result<DeviceRead>>([&](auto done) { session->FullRead(std::move(done)); });
}

std::optional<WriteOutcome> SessionFixture::Apply() {
  auto outcome = Await<WriteOutcome>([&](auto done) {
    session->WriteChanges(state->image(), state->snapshot(), std::move(done));
  });
  if (outcome) {
    static_cast<void>(state->ApplyWriteOutcome(*outcome));
  }
  return outcome;
}

std::vector<std::vector<std::uint8_t>> SessionFixture::FeaturesSent() const {
  std::vector<std::vector<std::uint8_t>> sent;
  for (const WireLogEntry& entry : wire.Entries()) {
    if (entry.direction == WireDirection::kOut && entry.kind == WireKind::kFeature &&
        entry.error.empty()) {
      sent.push_back(entry.bytes);
    }
  }
  return sent;
}

std::vector<std::uint8_t> SessionFixture::CodesSent() const {
  std::vector<std::uint8_t> codes;
  for (const auto& feature : FeaturesSent()) {
    codes.push_back(feature.size() > 1 ? feature[1] : 0);
  }
  return codes;
}

}  // namespace n240qx::testing
