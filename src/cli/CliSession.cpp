#include "cli/CliSession.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <system_error>

#include "app/BackupBeforeWrite.h"
#include "app/FilesystemPathProbe.h"
#include "app/UdevRuleHelp.h"
#include "cli/StopSignals.h"
#include "device/LoggingHidLink.h"
#include "hid/HidapiLink.h"
#include "hid/UdevHotplugMonitor.h"
#include "sim/SimulatedLink.h"
#include "sim/SimulatorStateFile.h"

namespace n240qx {

namespace {

std::filesystem::path ExecutablePath() {
  std::error_code error;
  auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : path;
}

}  // namespace

CliSession::CliSession(ProgramPaths paths, bool json)
    : paths_(std::move(paths)),
      json_(json),
      progress_to_terminal_(::isatty(STDERR_FILENO) == 1),
      state_(std::make_unique<ConfiguratorState>()) {
  ConfiguratorSessionEvents::Hooks hooks;
  hooks.progress = [this](const SequenceProgress& progress) { ShowProgress(progress); };
  hooks.waiting_for_keyboard = [this](bool waiting) {
    if (waiting) {
      EndProgressLine();
      std::cerr << "n240qx-ctl: " << kKeyboardBusyMessage << "; waiting\n";
    }
  };
  events_ = std::make_unique<ConfiguratorSessionEvents>(*state_, paths_.KeymapFile(), hooks);
}

CliSession::~CliSession() {
  session_.reset();
}

Result<std::unique_ptr<CliSession>> CliSession::Open(const CliArguments& arguments) {
  auto paths = ProgramPaths::Resolve(
      ProgramPaths::InputsFromEnvironment(ExecutablePath(), arguments.data_dir),
      FilesystemPathProbe());
  if (!paths.ok()) {
    return Error{ErrorCode::kInvalidArgument, paths.error().message};
  }
  if (arguments.share_dir) {
    paths = ProgramPaths(paths->data_folder(), *arguments.share_dir, paths->portable());
  }
  std::unique_ptr<CliSession> session(new CliSession(std::move(paths).value(), arguments.json));
  session->data_dir_given_ = arguments.data_dir.has_value();
  if (Status opened = session->OpenKeyboard(arguments); !opened.ok()) {
    return opened.error();
  }
  return session;
}

Status CliSession::OpenKeyboard(const CliArguments& arguments) {
  if (arguments.simulate) {
    simulated_ = true;
    SimulatedMemory memory = SimulatedMemory::Factory();
    if (arguments.state_file) {
      auto loaded = LoadSimulatorState(*arguments.state_file);
      if (!loaded.ok()) {
        return loaded.error();
      }
      memory = *loaded;
    }
    auto simulated = std::make_unique<SimulatedLink>(memory);
    if (arguments.state_file) {
      simulated->PersistTo(*arguments.state_file);
      if (auto error = simulated->LastPersistError()) {
        return *error;
      }
    }
    keyboard_link_ = std::move(simulated);
  } else {
    keyboard_link_ = std::make_unique<HidapiLink>();
    monitor_ = std::make_unique<UdevHotplugMonitor>();
  }
  HidLink* link = keyboard_link_.get();
  if (arguments.wire_log) {
    wire_stream_.open(*arguments.wire_log, std::ios::out | std::ios::trunc);
    if (!wire_stream_) {
      return Error{ErrorCode::kIo, "cannot write the wire log " + arguments.wire_log->string()};
    }
    wire_log_ = std::make_unique<WireLog>(clock_, &wire_stream_, false);
    logging_link_ = std::make_unique<LoggingHidLink>(*keyboard_link_, *wire_log_);
    link = logging_link_.get();
  }
  session_ = std::make_unique<DeviceSession>(*link, clock_, dispatcher_, *events_);
  if (monitor_) {
    if (Status watching = session_->WatchHotplug(*monitor_); !watching.ok()) {
      // The tool still works; only an unplug during a sequence is then noticed later.
      std::cerr << "n240qx-ctl: " << watching.error().message << '\n';
    }
  }
  return Status::Ok();
}

ExitCode CliSession::LoadFiles(bool create_missing) {
  std::error_code ignored;
  const auto folder = std::filesystem::status(paths_.data_folder(), ignored);
  if (std::filesystem::exists(folder) && !std::filesystem::is_directory(folder)) {
    return Fail(ExitCode::kFileError,
                "the data folder " + paths_.data_folder().string() + " is a file, not a folder");
  }
  // A folder named on the command line that is not there is most likely mistyped; only a
  // command that writes makes it.
  if (!create_missing && data_dir_given_ && !std::filesystem::exists(folder)) {
    return Fail(ExitCode::kFileError,
                "the data folder " + paths_.data_folder().string() + " does not exist");
  }
  if (create_missing) {
    std::error_code error;
    std::filesystem::create_directories(paths_.data_folder(), error);
    if (error) {
      return Fail(ExitCode::kFileError, "cannot create the data folder " +
                                            paths_.data_folder().string() + ": " + error.message());
    }
  }
  Status loaded = state_->LoadFiles(paths_.KeymapFile(), paths_.MacroFile(), create_missing);
  if (!loaded.ok()) {
    return Fail(ExitCode::kFileError, loaded.error().message);
  }
  return ExitCode::kOk;
}

ExitCode CliSession::Connect() {
  const Status connected = Await<Status>([&](auto done) { session_->Connect(std::move(done)); });
  if (connected.ok()) {
    return ExitCode::kOk;
  }
  if (connected.error().code == ErrorCode::kPermissionDenied) {
    return Fail(ExitCode::kNoPermission,
                connected.error().message + "\n" +
                    UdevRuleHelp::Lines(Texts(), UdevRuleHelp::ShippedRule(paths_.share_folder())));
  }
  return Fail(ExitCode::kNoKeyboard, connected.error().message);
}

ExitCode CliSession::FullRead() {
  auto read = Await<Result<DeviceRead>>([&](auto done) { session_->FullRead(std::move(done)); });
  if (!read.ok()) {
    return FailDevice(read.error());
  }
  state_->ApplyFullRead(*read);
  return ExitCode::kOk;
}

ExitCode CliSession::ReadKeyboard(bool create_missing) {
  if (ExitCode loaded = LoadFiles(create_missing); loaded != ExitCode::kOk) {
    return loaded;
  }
  if (ExitCode connected = Connect(); connected != ExitCode::kOk) {
    return connected;
  }
  return FullRead();
}

ExitCode CliSession::WriteChanges() {
  if (ExitCode backed_up = BackUp(false); backed_up != ExitCode::kOk) {
    return backed_up;
  }
  const WriteOutcome outcome = Await<WriteOutcome>(
      [&](auto done) { session_->WriteChanges(state_->image, state_->snapshot, std::move(done)); });
  return Finish(state_->FinishWrite(outcome, paths_.KeymapFile()));
}

ExitCode CliSession::FactoryReset() {
  if (ExitCode backed_up = BackUp(true); backed_up != ExitCode::kOk) {
    return backed_up;
  }
  auto read =
      Await<Result<DeviceRead>>([&](auto done) { session_->FactoryReset(std::move(done)); });
  return Finish(state_->FinishFactoryReset(read, paths_.KeymapFile()));
}

ExitCode CliSession::BackUp(bool factory_reset) {
  const Status saved = factory_reset ? BackUpBeforeFactoryReset(*state_, paths_.BackupsFolder())
                                     : BackUpBeforeWrite(*state_, paths_.BackupsFolder());
  return saved.ok() ? ExitCode::kOk : Fail(ExitCode::kFileError, saved.error().message);
}

ExitCode CliSession::Finish(const SequenceEnd& end) {
  if (!end.device.ok()) {
    return FailDevice(end.device.error());
  }
  if (!end.store.ok()) {
    return Fail(ExitCode::kFileError, end.store.error().message);
  }
  return ExitCode::kOk;
}

Result<DeviceFirmwareVersion> CliSession::ReadFirmware() {
  return Await<Result<DeviceFirmwareVersion>>(
      [&](auto done) { session_->ReadFirmware(std::move(done)); });
}

ExitCode CliSession::Fail(ExitCode code, const std::string& message) {
  EndProgressLine();
  std::cerr << "n240qx-ctl: " << message << '\n';
  if (json_ && failures_as_json_) {
    // Scripts reading standard output get a result for a failure too.
    std::cout << FailureJson(message, code) << '\n';
  }
  return code;
}

ExitCode CliSession::FailDevice(const Error& error) {
  return Fail(ExitCodeForDeviceError(error), error.message);
}

void CliSession::StopOnSignal() {
  if (StopSignals::Received() != 0) {
    session_->Stop();
  }
}

void CliSession::ShowProgress(const SequenceProgress& progress) {
  if (!progress_to_terminal_ || progress.total <= 0) {
    return;
  }
  std::fprintf(stderr, "\r%s: %d/%d", SequenceName(progress.kind), progress.done, progress.total);
  std::fflush(stderr);
  progress_shown_ = true;
}

void CliSession::EndProgressLine() {
  if (progress_shown_) {
    // Back to the line's start and clear it, so that what follows starts clean.
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    progress_shown_ = false;
  }
}

}  // namespace n240qx
