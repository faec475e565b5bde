#include "cli/CliSession.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <system_error>

#include "app/BackupBeforeWrite.h"
#include "app/FilesystemPathProbe.h"
#include "app/UdevRuleHelp.h"
#include "cli/DataFolderLock.h"
#include "cli/DryRunReport.h"
#include "cli/StopSignals.h"
#include "device/WriteSequence.h"

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
  session->dry_run_ = arguments.dry_run;
  if (Status opened = session->OpenKeyboard(arguments); !opened.ok()) {
    return opened.error();
  }
  return session;
}

Status CliSession::OpenKeyboard(const CliArguments& arguments) {
  simulated_ = arguments.simulate;
  auto connections = DeviceConnectionFactory::FromChoice(
      {arguments.simulate, arguments.state_file, arguments.wire_log, std::nullopt, false});
  if (!connections.ok()) {
    return connections.error();
  }
  connections_ = std::move(*connections);
  connection_ = connections_->ConnectKeyboard(dispatcher_, *events_);
  session_ = &connection_->session();
  if (const auto& unwatched = connection_->watch_failure()) {
    // The tool still works; only an unplug during a sequence is then noticed later.
    std::cerr << "n240qx-ctl: " << unwatched->message << '\n';
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
  // A dry run creates nothing; what is missing is taken as the real run would find it.
  const bool create = create_missing && !dry_run_;
  if (create) {
    std::error_code error;
    std::filesystem::create_directories(paths_.data_folder(), error);
    if (error) {
      return Fail(ExitCode::kFileError, "cannot create the data folder " +
                                            paths_.data_folder().string() + ": " + error.message());
    }
  }
  if (ExitCode locked = LockDataFolder(); locked != ExitCode::kOk) {
    return locked;
  }
  Status loaded = state_->LoadFiles(paths_.KeymapFile(), paths_.MacroFile(), create);
  if (!loaded.ok()) {
    return Fail(ExitCode::kFileError, loaded.error().message);
  }
  return ExitCode::kOk;
}

ExitCode CliSession::LockDataFolder() {
  std::error_code ignored;
  if (dry_run_ || data_folder_lock_ != nullptr ||
      !std::filesystem::is_directory(paths_.data_folder(), ignored)) {
    return ExitCode::kOk;
  }
  auto lock = DataFolderLock::Await(paths_.data_folder(), [this](bool waiting) {
    if (waiting) {
      EndProgressLine();
      std::cerr << "n240qx-ctl: the data folder is in use by another command; waiting\n";
    }
  });
  if (!lock.ok()) {
    return Fail(ExitCode::kFileError, lock.error().message);
  }
  data_folder_lock_ = std::move(*lock);
  return ExitCode::kOk;
}

std::filesystem::path CliSession::KeymapFileToSave() const {
  return dry_run_ ? std::filesystem::path() : paths_.KeymapFile();
}

ExitCode CliSession::Connect() {
  if (dry_run_) {
    return ExitCode::kOk;
  }
  const Status connected = Await<Status>([&](auto done) { session_->Connect(std::move(done)); });
  if (connected.ok()) {
    const Status kept =
        Await<Status>([&](auto done) { session_->KeepKeyboardLocked(std::move(done)); });
    return kept.ok() ? ExitCode::kOk : FailDevice(kept.error());
  }
  if (connected.error().code == ErrorCode::kPermissionDenied) {
    return Fail(ExitCode::kNoPermission,
                connected.error().message + "\n" +
                    UdevRuleHelp::Lines(Texts(), UdevRuleHelp::ShippedRule(paths_.share_folder())));
  }
  return Fail(ExitCode::kNoKeyboard, connected.error().message);
}

ExitCode CliSession::FullRead() {
  if (dry_run_) {
    // keymap.bin is rewritten with what the keyboard holds after every write; without it there
    // is nothing to compare with.
    std::error_code ignored;
    if (!std::filesystem::exists(paths_.KeymapFile(), ignored)) {
      return Fail(ExitCode::kFileError,
                  "a dry run compares with what " + paths_.KeymapFile().string() +
                      " records of the keyboard, and there is no such file yet: write to the "
                      "keyboard once without --dry-run");
    }
    return ExitCode::kOk;
  }
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
  // When the keyboard holds every region already, nothing is sent at all: no empty write, no
  // backup. Host-side key settings still reach keymap.bin.
  const bool sends = WriteSequence::Changes(state_->image, state_->snapshot).Any();
  if (dry_run_) {
    return sends ? DryRunWrite() : PrintDryRun({});
  }
  if (!sends) {
    WriteOutcome unchanged{Status::Ok(), state_->image, {}, {}, 0};
    unchanged.written.ApplyWindowsKeyLock();
    return Finish(state_->FinishWrite(unchanged, paths_.KeymapFile()));
  }
  if (ExitCode backed_up = BackUp(false); backed_up != ExitCode::kOk) {
    return backed_up;
  }
  const WriteOutcome outcome = Await<WriteOutcome>(
      [&](auto done) { session_->WriteChanges(state_->image, state_->snapshot, std::move(done)); });
  return Finish(state_->FinishWrite(outcome, paths_.KeymapFile()));
}

ExitCode CliSession::FactoryReset() {
  if (dry_run_) {
    return DryRunFactoryReset();
  }
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

ExitCode CliSession::DryRunWrite() {
  DryRunKeyboard stand_in(dispatcher_);
  if (ExitCode connected = ConnectStandIn(stand_in); connected != ExitCode::kOk) {
    return connected;
  }
  const WriteOutcome outcome = Await<WriteOutcome>([&](auto done) {
    stand_in.session().WriteChanges(state_->image, state_->snapshot, std::move(done));
  });
  if (!outcome.status.ok()) {
    return FailDevice(outcome.status.error());
  }
  return PrintDryRun(outcome.acknowledged, stand_in.TakeSent());
}

ExitCode CliSession::PrintDryRun(const std::vector<WriteRegion>& regions,
                                 std::vector<std::string> reports) {
  DryRunReport report{paths_.KeymapFile().string(), {}, std::move(reports)};
  for (const WriteRegion& region : regions) {
    report.regions.push_back(region.name);
  }
  report.Print(std::cout, json_);
  return ExitCode::kOk;
}

ExitCode CliSession::DryRunFactoryReset() {
  DryRunKeyboard stand_in(dispatcher_);
  if (ExitCode connected = ConnectStandIn(stand_in); connected != ExitCode::kOk) {
    return connected;
  }
  const auto read = Await<Result<DeviceRead>>(
      [&](auto done) { stand_in.session().FactoryReset(std::move(done)); });
  if (!read.ok()) {
    return FailDevice(read.error());
  }
  DryRunReport{std::nullopt, {"every setting (factory reset)"}, stand_in.TakeSent()}.Print(
      std::cout, json_);
  return ExitCode::kOk;
}

ExitCode CliSession::ConnectStandIn(DryRunKeyboard& stand_in) {
  const Status connected =
      Await<Status>([&](auto done) { stand_in.session().Connect(std::move(done)); });
  if (!connected.ok()) {
    return FailDevice(connected.error());
  }
  // What the connection exchanged is not part of the write.
  stand_in.TakeSent();
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
