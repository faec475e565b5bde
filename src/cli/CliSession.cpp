#include "cli/CliSession.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <system_error>

#include "app/BackupBeforeWrite.h"
#include "app/FilesystemPathProbe.h"
#include "app/StoredMacroChange.h"
#include "app/UdevRuleHelp.h"
#include "cli/DataFolderLock.h"
#include "cli/DryRunReport.h"
#include "cli/StopSignals.h"
#include "config/ProfileJson.h"
#include "device/WriteSequence.h"
#include "keys/KeymapStore.h"

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
  events_ = std::make_unique<ConfiguratorSessionEvents>(*state_, hooks);
}

Result<ProgramPaths> CliSession::ResolvePaths(const CliArguments& arguments) {
  auto paths = ProgramPaths::Resolve(
      ProgramPaths::InputsFromEnvironment(ExecutablePath(), arguments.data_dir),
      FilesystemPathProbe());
  if (!paths.ok()) {
    return Error{ErrorCode::kInvalidArgument, paths.error().message};
  }
  if (arguments.share_dir) {
    paths = ProgramPaths(paths->data_folder(), *arguments.share_dir, paths->portable());
  }
  return paths;
}

Result<std::unique_ptr<CliSession>> CliSession::Open(const CliArguments& arguments) {
  auto session = Create(arguments);
  if (!session.ok()) {
    return session.error();
  }
  if (Status opened = (*session)->OpenKeyboard(arguments); !opened.ok()) {
    return opened.error();
  }
  return session;
}

Result<std::unique_ptr<CliSession>> CliSession::OpenThroughWindow(
    const CliArguments& arguments, std::unique_ptr<WindowBusClient> window, WindowWrite write) {
  auto session = Create(arguments);
  if (session.ok()) {
    (*session)->window_ = std::move(window);
    (*session)->window_write_ = std::move(write);
    (*session)->UseStores();
  }
  return session;
}

Result<std::unique_ptr<CliSession>> CliSession::Create(const CliArguments& arguments) {
  auto paths = ResolvePaths(arguments);
  if (!paths.ok()) {
    return paths.error();
  }
  std::unique_ptr<CliSession> session(new CliSession(std::move(paths).value(), arguments.json));
  session->data_dir_given_ = arguments.data_dir.has_value();
  session->dry_run_ = arguments.dry_run;
  session->UseStores();
  session->no_backup_ = arguments.no_backup;
  session->allow_launch_ = arguments.allow_launch;
  session->own_files_ =
      OwnFiles(session->paths_,
               arguments.simulate ? arguments.state_file : std::optional<std::filesystem::path>());
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
  // A dry run creates nothing; what is missing is taken as the real run would find it. The
  // running window has made the folder and its files for itself.
  const bool create = create_missing && !dry_run_ && !window_;
  if (create) {
    if (ExitCode made = MakeDataFolder(); made != ExitCode::kOk) {
      return made;
    }
  }
  if (ExitCode locked = LockDataFolder(); locked != ExitCode::kOk) {
    return locked;
  }
  Status loaded = state_->LoadFiles(create);
  if (!loaded.ok()) {
    return Fail(ExitCode::kFileError, loaded.error().message);
  }
  if (!state_->StoreSizeNotes().empty()) {
    std::cerr << "n240qx-ctl: " << state_->StoreSizeNotes() << '\n';
  }
  return ExitCode::kOk;
}

ExitCode CliSession::MakeDataFolder() {
  std::error_code error;
  std::filesystem::create_directories(paths_.data_folder(), error);
  if (error) {
    return Fail(ExitCode::kFileError, "cannot create the data folder " +
                                          paths_.data_folder().string() + ": " + error.message());
  }
  return ExitCode::kOk;
}

ExitCode CliSession::LockDataFolderToWrite() {
  if (ExitCode made = MakeDataFolder(); made != ExitCode::kOk) {
    return made;
  }
  return LockDataFolder();
}

ExitCode CliSession::LockDataFolder() {
  std::error_code ignored;
  // The running window changes the folder's files for a forwarded command; the tool only reads
  // them, each whole (they are replaced by renaming), and would only wait on others here.
  if (dry_run_ || window_ || data_folder_lock_ != nullptr ||
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

void CliSession::UseStores() {
  // A dry run leaves the data folder alone, and the running window saves its own files.
  state_->UseStores(dry_run_ || window_
                        ? StorePaths::ReadOnly(paths_.KeymapFile(), paths_.MacroFile())
                        : StorePaths::Saved(paths_.KeymapFile(), paths_.MacroFile()));
}

ExitCode CliSession::Connect() {
  if (window_) {
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
  if (window_) {
    return ReadThroughWindow();
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
  if (window_) {
    return WriteThroughWindow();
  }
  // When the keyboard holds every region already, nothing is sent at all: no empty write, no
  // backup. Host-side key settings still reach keymap.bin.
  if (!WriteSequence::Changes(state_->image(), state_->snapshot()).Any()) {
    if (dry_run_) {
      return PrintDryRun({});
    }
    WriteOutcome unchanged{Status::Ok(), state_->image(), {}, {}, 0};
    unchanged.written.ApplyWindowsKeyLock();
    return Finish(state_->FinishWrite(unchanged), false);
  }
  DeviceSession* writer = nullptr;
  if (ExitCode ready = PrepareWrite(false, writer); ready != ExitCode::kOk) {
    return ready;
  }
  const WriteOutcome outcome = AwaitWhole<WriteOutcome>([&](auto done) {
    writer->WriteChanges(state_->image(), state_->snapshot(), std::move(done));
  });
  if (dry_run_) {
    return outcome.status.ok() ? PrintDryRun(outcome.acknowledged, connections_->TakeDryRunSent())
                               : FailDevice(outcome.status.error());
  }
  DropBackupOfUnsentWrite(backup_file_, outcome);
  return Finish(state_->FinishWrite(outcome), true);
}

ExitCode CliSession::FactoryReset() {
  if (window_) {
    return WriteThroughWindow();
  }
  DeviceSession* writer = nullptr;
  if (ExitCode ready = PrepareWrite(true, writer); ready != ExitCode::kOk) {
    return ready;
  }
  auto read =
      AwaitWhole<Result<DeviceRead>>([&](auto done) { writer->FactoryReset(std::move(done)); });
  if (dry_run_) {
    if (!read.ok()) {
      return FailDevice(read.error());
    }
    DryRunReport{std::nullopt, {"every setting (factory reset)"}, connections_->TakeDryRunSent()}
        .Print(std::cout, json_);
    return ExitCode::kOk;
  }
  return Finish(state_->FinishFactoryReset(read), true);
}

ExitCode CliSession::ReadThroughWindow() {
  const auto profile = window_->ReadProfile();
  const auto keyboard =
      profile.ok() ? window_->ReadState() : Result<KeyboardStatus>(profile.error());
  if (!keyboard.ok()) {
    return FailDevice(keyboard.error());
  }
  const auto bytes = profile_json::FromText(state_->key_names(), *profile);
  if (!bytes.ok()) {
    return Fail(ExitCode::kKeyboardFailed,
                "the window's profile cannot be read: " + bytes.error().message);
  }
  // The profile only reports the firmware; a read prints what the window read of it.
  state_->TakeKeyboardProfile(*bytes, keyboard->firmware);
  return ExitCode::kOk;
}

ExitCode CliSession::WriteThroughWindow() {
  // Asked even when nothing differs: the window decides what is to be sent, and its refusals
  // (a dialog open, unapplied edits) hold for every caller's write.
  if (Status written = window_write_(*window_); !written.ok()) {
    return FailDevice(written.error());
  }
  // The report after the write says what the keyboard holds now, not what was asked.
  return ReadThroughWindow();
}

ExitCode CliSession::PrepareWrite(bool factory_reset, DeviceSession*& writer) {
  // Ended before the write began: no backup of a write that never comes.
  if (StopSignals::Count() != 0) {
    return Fail(ExitCode::kKeyboardFailed, "stopped before the write; nothing was sent");
  }
  if (!dry_run_) {
    writer = session_;
    return BackUp(factory_reset);
  }
  // The stand-in is connected only now, after the keyboard was read: what it exchanged on
  // connecting is no part of the write.
  dry_run_connection_ = connections_->ConnectDryRun(dispatcher_);
  writer = &dry_run_connection_->session();
  const Status connected = Await<Status>([&](auto done) { writer->Connect(std::move(done)); });
  connections_->TakeDryRunSent();
  return connected.ok() ? ExitCode::kOk : FailDevice(connected.error());
}

ExitCode CliSession::BackUp(bool factory_reset) {
  if (no_backup_) {
    return ExitCode::kOk;
  }
  const auto saved = factory_reset ? BackUpBeforeFactoryReset(*state_, paths_.BackupsFolder())
                                   : BackUpBeforeWrite(*state_, paths_.BackupsFolder());
  if (!saved.ok()) {
    // A full home folder must not keep the keyboard from being dimmed: the way past is named.
    return Fail(ExitCode::kFileError,
                saved.error().message + "; --no-backup sends without a backup");
  }
  backup_file_ = *saved;
  return ExitCode::kOk;
}

ExitCode CliSession::Finish(const SequenceEnd& end, bool sent) {
  if (!end.device.ok()) {
    return FailDevice(end.device.error());
  }
  if (!end.store.ok() && sent) {
    return Fail(ExitCode::kNotRecorded,
                "the keyboard now holds the change, but " + paths_.KeymapFile().string() +
                    " could not be updated to record it: " + end.store.error().message);
  }
  if (!end.store.ok()) {
    return Fail(ExitCode::kFileError, end.store.error().message);
  }
  return ExitCode::kOk;
}

ExitCode CliSession::PrintDryRun(const std::vector<WriteRegion>& regions,
                                 std::vector<std::string> reports) {
  DryRunReport report{"the keyboard", {}, std::move(reports)};
  for (const WriteRegion& region : regions) {
    report.regions.push_back(region.name);
  }
  report.Print(std::cout, json_);
  return ExitCode::kOk;
}

Result<MacroWords::Done> CliSession::ChangeMacros(std::span<const std::string> words) {
  if (!window_) {
    return ChangeStoredMacros(*state_, words);
  }
  auto done = window_->ChangeMacros(words, false);
  if (!done.ok()) {
    return done;
  }
  // What the window saved, for the count the report gives.
  if (Status loaded = state_->LoadFiles(false); !loaded.ok()) {
    return loaded.error();
  }
  return done;
}

Result<std::string> CliSession::ImportProfile(const std::filesystem::path& file) {
  // The window runs in a folder of its own.
  std::error_code error;
  const auto absolute = std::filesystem::absolute(file, error);
  if (error) {
    return Error{ErrorCode::kIo, "cannot find " + file.string() + ": " + error.message()};
  }
  return window_->ImportProfile(absolute.string(), false);
}

std::optional<Result<KeyboardStatus>> CliSession::WindowKeyboard() {
  if (!window_) {
    return std::nullopt;
  }
  return window_->ReadState();
}

Result<FirmwareVersion> CliSession::ReadFirmware() {
  return Await<Result<FirmwareVersion>>(
      [&](auto done) { session_->ReadFirmware(std::move(done)); });
}

ExitCode CliSession::Fail(ExitCode code, const std::string& message) {
  EndProgressLine();
  return ReportFailure(code, message, json_ && failures_as_json_);
}

ExitCode CliSession::FailDevice(const Error& error) {
  return Fail(ExitCodeForDeviceError(error), error.message);
}

void CliSession::StopOnSignal() {
  // A write that has begun is let finish on the first signal; one that came before it began
  // keeps it from beginning.
  const bool finishing = signals_before_write_ && *signals_before_write_ == 0;
  if (StopSignals::Count() > (finishing ? 1 : 0)) {
    session_->Stop();
    if (dry_run_connection_) {
      dry_run_connection_->session().Stop();
    }
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
