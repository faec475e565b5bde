#include "device/DeviceSession.h"

#include "device/EventAction.h"
#include "device/KeptLockView.h"
#include "device/ReadSequence.h"
#include "device/WriteCommands.h"
#include "device/WriteSequence.h"

namespace n240qx {

DeviceSession::DeviceSession(HidLink& hid, Clock& clock, Dispatcher& dispatcher,
                             SessionEvents& events, DeviceSessionOptions options)
    : hid_(hid),
      clock_(clock),
      dispatcher_(dispatcher),
      events_(events),
      options_(options),
      link_(hid),
      listener_(link_.event_channel(), ack_,
                [this](const EventReport& report) { OnReport(report); }) {
  worker_ = std::thread([this] { WorkerLoop(); });
}

DeviceSession::~DeviceSession() {
  if (monitor_ != nullptr) {
    monitor_->Stop();
  }
  closing_.store(true);
  {
    std::lock_guard lock(queue_mutex_);
    stopping_ = true;
  }
  queue_changed_.notify_all();
  if (worker_.joinable()) {
    worker_.join();
  }
  listener_.Stop();
  link_.CloseLink();
}

void DeviceSession::Queue(std::function<void()> task) {
  {
    std::lock_guard lock(queue_mutex_);
    if (stopping_) {
      return;
    }
    queue_.push_back(std::move(task));
  }
  queue_changed_.notify_one();
}

void DeviceSession::WorkerLoop() {
  std::unique_lock lock(queue_mutex_);
  while (true) {
    queue_changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
    if (stopping_) {
      return;
    }
    std::function<void()> task = std::move(queue_.front());
    queue_.pop_front();
    lock.unlock();
    task();
    lock.lock();
  }
}

SequenceSteps DeviceSession::Steps(SequenceKind kind, int total) {
  auto sink = [events = &events_, dispatcher = &dispatcher_](const SequenceProgress& progress) {
    dispatcher->Post([events, progress] { events->OnProgress(progress); });
  };
  return SequenceSteps(kind, total, sink, &closing_);
}

Result<std::unique_ptr<DeviceLockHold>> DeviceSession::LockKeyboard() {
  if (kept_lock_ != nullptr) {
    return std::unique_ptr<DeviceLockHold>(std::make_unique<KeptLockView>(*kept_lock_));
  }
  return AwaitDeviceLock(hid_, command_path_, clock_, options_.lock_wait, [this](bool waiting) {
    dispatcher_.Post([events = &events_, waiting] { events->OnWaitingForKeyboard(waiting); });
  });
}

Status DeviceSession::NoKeyboard() const {
  return Error{ErrorCode::kNotOpen, "No keyboard is connected"};
}

void DeviceSession::Connect(Done<Status> done) {
  Queue([this, done = std::move(done)]() mutable { Reply(std::move(done), ConnectNow()); });
}

void DeviceSession::ConnectAfterArrival(Done<Status> done) {
  Queue([this, done = std::move(done)]() mutable {
    clock_.SleepMs(options_.arrival_settle_ms);
    Reply(std::move(done), ConnectNow());
  });
}

Status DeviceSession::ConnectNow() {
  if (link_.CommandOpen()) {
    OpenEventInterface();
    return Status::Ok();
  }
  if (!link_.FindKeyboardInterface(kCommandInterfaceMarker)) {
    if (link_.FindUpdateModeInterface()) {
      update_pending_ = true;
      return Error{ErrorCode::kNotFound,
                   "The keyboard is in firmware-update mode (USB id 04d9:a126); it is reset to "
                   "factory settings once it comes back"};
    }
    return Error{ErrorCode::kNotFound, "No keyboard found (USB id 04d9:a124)"};
  }
  if (Status opened = link_.OpenCommandHandle(); !opened.ok()) {
    return opened;
  }
  command_path_ = link_.device_path();
  OpenEventInterface();
  return Status::Ok();
}

bool DeviceSession::OpenEventInterface() {
  if (listener_.running()) {
    return true;
  }
  if (!link_.FindKeyboardInterface(kEventInterfaceMarker) || !link_.OpenEventHandle().ok()) {
    return false;
  }
  listener_.Start();
  return true;
}

void DeviceSession::FullRead(Done<Result<DeviceRead>> done) {
  Queue([this, done = std::move(done)]() mutable {
    if (!link_.CommandOpen()) {
      Reply(std::move(done), Result<DeviceRead>(NoKeyboard().error()));
      return;
    }
    Reply(std::move(done), Locked(
                               [this] {
                                 ReadSequence reads(link_.command_channel(), clock_);
                                 SequenceSteps steps =
                                     Steps(SequenceKind::kFullRead, ReadSequence::kFullReadSteps);
                                 auto read = reads.FullRead(steps);
                                 if (read.ok()) {
                                   read->write_count = held_->WriteCount();
                                 }
                                 return read;
                               },
                               [](const Error& error) { return Result<DeviceRead>(error); }));
  });
}

void DeviceSession::RereadAll(Done<Result<DeviceRead>> done) {
  Queue([this, done = std::move(done)]() mutable {
    Reply(std::move(done), RereadNow(SequenceKind::kReread, 0));
  });
}

Result<DeviceRead> DeviceSession::RereadNow(SequenceKind kind, int extra_steps) {
  if (!link_.CommandOpen()) {
    return NoKeyboard().error();
  }
  return Locked(
      [&]() -> Result<DeviceRead> {
        SequenceSteps steps = Steps(kind, extra_steps + ReadSequence::kRereadSteps);
        DeviceRead read;
        if (Status reread =
                ReadSequence(link_.command_channel(), clock_).RereadAll(read.image, steps);
            !reread.ok()) {
          return reread.error();
        }
        read.write_count = held_->WriteCount();
        return read;
      },
      [](const Error& error) { return Result<DeviceRead>(error); });
}

void DeviceSession::FactoryReset(Done<Result<DeviceRead>> done) {
  Queue([this, done = std::move(done)]() mutable { Reply(std::move(done), FactoryResetNow()); });
}

Result<DeviceRead> DeviceSession::FactoryResetNow() {
  if (!link_.CommandOpen()) {
    return NoKeyboard().error();
  }
  const auto lock = LockKeyboard();
  if (!lock.ok()) {
    return lock.error();
  }
  SequenceSteps steps = Steps(SequenceKind::kFactoryReset, 1 + ReadSequence::kRereadSteps);
  WriteCommands writes(link_.command_channel(), clock_);
  if (Status reset = steps.Run([&] { return writes.FactoryReset(); }); !reset.ok()) {
    return reset.error();
  }
  (*lock)->CountWrite();
  DeviceRead read;
  if (Status reread = ReadSequence(link_.command_channel(), clock_).RereadAll(read.image, steps);
      !reread.ok()) {
    return reread.error();
  }
  read.write_count = (*lock)->WriteCount();
  return read;
}

void DeviceSession::WriteChanges(const ConfigImage& image, const DeviceSnapshot& snapshot,
                                 Done<WriteOutcome> done,
                                 std::optional<std::uint64_t> known_writes) {
  // From here on the keyboard's own lighting changes are newer than the copies.
  live_lighting_.Clear();
  Queue([this, image, snapshot, known_writes, reads = arrival_reads_.load(),
         done = std::move(done)]() mutable {
    if (reads != arrival_reads_.load()) {
      Reply(std::move(done),
            WriteOutcome{Error{ErrorCode::kBadData,
                               "The keyboard was read again after the changes were made; "
                               "nothing was written"},
                         image,
                         {},
                         {},
                         0});
      return;
    }
    if (link_.CommandOpen() && !listener_.running()) {
      // Without the listener no acknowledgement can arrive; better to send nothing at all.
      const Error error =
          ack_.link_lost()
              ? Error{ErrorCode::kDisconnected, "The keyboard was unplugged; nothing was written"}
              : Error{ErrorCode::kNotOpen,
                      "The keyboard's event interface is not open, so its acknowledgements "
                      "cannot be heard; nothing was written"};
      Reply(std::move(done), WriteOutcome{error, image, {}, {}, 0});
      return;
    }
    Reply(std::move(done), Locked(
                               [&] {
                                 if (known_writes && *known_writes != held_->WriteCount()) {
                                   return RereadInsteadOfWrite(image);
                                 }
                                 SequenceSteps steps = Steps(SequenceKind::kWrite, 2);
                                 WriteSequence writer(link_.command_channel(), clock_, ack_,
                                                      options_.ack_timeout, &live_lighting_);
                                 WriteOutcome outcome = writer.WriteChanges(image, snapshot, steps);
                                 if (!outcome.sent.empty()) {
                                   held_->CountWrite();
                                 }
                                 outcome.write_count = held_->WriteCount();
                                 return outcome;
                               },
                               [&](const Error& error) {
                                 return WriteOutcome{error, image, {}, {}, 0};
                               }));
  });
}

WriteOutcome DeviceSession::RereadInsteadOfWrite(const ConfigImage& image) {
  SequenceSteps steps = Steps(SequenceKind::kReread, ReadSequence::kRereadSteps);
  DeviceRead read;
  if (Status reread = ReadSequence(link_.command_channel(), clock_).RereadAll(read.image, steps);
      !reread.ok()) {
    return WriteOutcome{reread.error(), image, {}, {}, 0};
  }
  read.write_count = held_->WriteCount();
  WriteOutcome outcome{Error{ErrorCode::kBadData,
                             "Another program wrote to the keyboard since it was read; it was "
                             "read again and nothing was written"},
                       image,
                       {},
                       {},
                       0};
  outcome.write_count = read.write_count;
  outcome.reread = std::move(read);
  return outcome;
}

void DeviceSession::ReadFirmware(Done<Result<FirmwareVersion>> done) {
  Queue([this, done = std::move(done)]() mutable {
    if (!link_.CommandOpen()) {
      Reply(std::move(done), Result<FirmwareVersion>(NoKeyboard().error()));
      return;
    }
    Reply(std::move(done),
          Locked(
              [this] {
                SequenceSteps steps = Steps(SequenceKind::kFirmwareRead, 1);
                return ReadSequence(link_.command_channel(), clock_).ReadFirmware(steps);
              },
              [](const Error& error) { return Result<FirmwareVersion>(error); }));
  });
}

void DeviceSession::KeepKeyboardLocked(Done<Status> done) {
  Queue([this, done = std::move(done)]() mutable {
    if (!link_.CommandOpen()) {
      Reply(std::move(done), NoKeyboard());
      return;
    }
    auto lock = LockKeyboard();
    if (!lock.ok()) {
      Reply(std::move(done), Status(lock.error()));
      return;
    }
    if (kept_lock_ == nullptr) {
      kept_lock_ = std::move(*lock);
    }
    Reply(std::move(done), Status::Ok());
  });
}

void DeviceSession::LetGoOfKeyboard() {
  Queue([this] { kept_lock_.reset(); });
}

Status DeviceSession::WatchHotplug(HotplugMonitor& monitor) {
  monitor_ = &monitor;
  return monitor.Start([this](HotplugEvent event) {
    if (event == HotplugEvent::kArrival) {
      OnDeviceArrival();
    } else {
      OnDeviceRemoval();
    }
  });
}

void DeviceSession::OnDeviceArrival() {
  if (arrival_queued_.exchange(true)) {
    return;
  }
  dispatcher_.Post([events = &events_] { events->OnArrivalRunning(true); });
  Queue([this] {
    arrival_queued_.store(false);
    HandleArrival();
    dispatcher_.Post([events = &events_] { events->OnArrivalRunning(false); });
  });
}

void DeviceSession::OnDeviceRemoval() {
  if (removal_queued_.exchange(true)) {
    return;
  }
  Queue([this] {
    removal_queued_.store(false);
    HandleRemoval();
  });
}

void DeviceSession::HandleArrival() {
  // The keyboard needs the time to settle after a plug-in before it takes commands.
  clock_.SleepMs(options_.arrival_settle_ms);
  if (link_.CommandOpen()) {
    if (HandlesAlive()) {
      // A keyboard whose event interface could not be opened is read-only; this arrival may
      // be the one that makes it openable (the udev rule applied at last).
      if (!listener_.running() && OpenEventInterface()) {
        ReadAfterArrival();
      }
      return;
    }
    // The keyboard went and came back before its removal could be told from another's.
    CloseKeyboard();
  }
  if (!link_.FindKeyboardInterface(kCommandInterfaceMarker) || !link_.OpenCommandHandle().ok()) {
    if (link_.FindUpdateModeInterface()) {
      update_pending_ = true;
    }
    return;
  }
  command_path_ = link_.device_path();
  ReadAfterArrival();
}

void DeviceSession::ReadAfterArrival() {
  const bool reset = update_pending_;
  const int total =
      (reset ? 1 : 0) + ReadSequence::kRereadSteps + ReadSequence::kColourTableSteps + 1;
  SequenceSteps steps = Steps(SequenceKind::kArrival, total);
  ReadSequence reads(link_.command_channel(), clock_);
  WriteCommands writes(link_.command_channel(), clock_);
  Result<DeviceRead> read = Locked(
      [&]() -> Result<DeviceRead> {
        if (reset) {
          if (Status done = steps.Run([&] { return writes.FactoryReset(); }); !done.ok()) {
            return done.error();
          }
        }
        DeviceRead fresh;
        if (Status done = reads.RereadAll(fresh.image, steps); !done.ok()) {
          return done.error();
        }
        if (Status done = reads.ReadColourTables(fresh.image, steps); !done.ok()) {
          return done.error();
        }
        auto firmware = reads.ReadFirmware(steps);
        if (!firmware.ok()) {
          return firmware.error();
        }
        fresh.firmware = *firmware;
        return fresh;
      },
      [](const Error& error) { return Result<DeviceRead>(error); });
  if (reset && read.ok()) {
    update_pending_ = false;
  }
  ++arrival_reads_;
  const bool listening = OpenEventInterface();
  dispatcher_.Post([events = &events_] { events->OnConnectionChanged(true); });
  dispatcher_.Post([events = &events_, read = std::move(read), reset, listening] {
    events->OnArrivalRead(read, reset, listening);
  });
}

void DeviceSession::HandleRemoval() {
  clock_.SleepMs(options_.removal_settle_ms);
  if (!link_.CommandOpen() && !link_.EventOpen()) {
    return;
  }
  // Another device went: the keyboard is still there and its handles still reach it.
  if (link_.FindKeyboardInterface(kCommandInterfaceMarker) && HandlesAlive()) {
    return;
  }
  CloseKeyboard();
}

bool DeviceSession::HandlesAlive() {
  return !ack_.link_lost() && link_.command_channel().CheckAlive().ok();
}

void DeviceSession::CloseKeyboard() {
  listener_.Stop();
  link_.CloseLink();
  dispatcher_.Post([events = &events_] { events->OnConnectionChanged(false); });
}

void DeviceSession::OnReport(const EventReport& report) {
  if (ClassifyEvent(report) == EventAction::kLightingChange) {
    live_lighting_.Record(report.sub_code, report.value);
    dispatcher_.Post([events = &events_, sub_code = report.sub_code, value = report.value] {
      events->OnKeyboardLightingChange(sub_code, value);
    });
    return;
  }
  dispatcher_.Post([events = &events_, code = report.sub_code] { events->OnLaunchKey(code); });
}

}  // namespace n240qx
