#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/ConfiguratorSessionEvents.h"
#include "app/ConfiguratorState.h"
#include "app/OwnFiles.h"
#include "app/ProgramPaths.h"
#include "cli/CliArguments.h"
#include "cli/ExitCode.h"
#include "cli/StopSignals.h"
#include "cli/WindowBusClient.h"
#include "connect/DeviceConnection.h"
#include "connect/DeviceConnectionFactory.h"
#include "device/DeviceSession.h"
#include "device/WriteRegion.h"
#include "macros/MacroWords.h"
#include "util/QueueDispatcher.h"
#include "util/Result.h"

namespace n240qx {

// Everything one run of the tool needs: the paths, the program state, the keyboard (real or
// simulated, with its wire log) and the device session. The main thread owns the state and
// drains the session's results. Each operation prints its own failure to standard error and
// returns the exit status to end with.
class CliSession {
 public:
  // kInvalidArgument for a usage problem, any other error for a file that cannot be used.
  static Result<std::unique_ptr<CliSession>> Open(const CliArguments& arguments);
  // The one bus call that makes a command's write or reset in the running window.
  using WindowWrite = std::function<Status(WindowBusClient& window)>;
  // A session that leaves the keyboard and the data folder to the running window: the command
  // runs its own checks on what the window's ReadProfile gives, its write or reset is `write`
  // (none for a command that only reads or changes the window's stores), and what the keyboard
  // holds afterwards is read back the same way for its report. Nothing is saved here and no
  // lock is taken, as the window saves and backs up for its own writes.
  static Result<std::unique_ptr<CliSession>> OpenThroughWindow(
      const CliArguments& arguments, std::unique_ptr<WindowBusClient> window, WindowWrite write);
  // The data and share folders the command line and the environment name; kInvalidArgument
  // when there are none.
  static Result<ProgramPaths> ResolvePaths(const CliArguments& arguments);
  CliSession(const CliSession&) = delete;
  CliSession& operator=(const CliSession&) = delete;

  ConfiguratorState& state() { return *state_; }
  const ConfiguratorState& state() const { return *state_; }
  const ProgramPaths& paths() const { return paths_; }
  // The stores, the backups and the simulator's state file: never a profile's destination.
  const OwnFiles& own_files() const { return own_files_; }
  bool json() const { return json_; }
  bool simulated() const { return simulated_; }
  // --dry-run: the keyboard is read as for a real run, and each write or reset goes to the
  // connection factory's in-memory stand-in instead, printing what it would send. Nothing is
  // sent to the keyboard and nothing in the data folder changes.
  bool dry_run() const { return dry_run_; }
  // --allow-launch: a loaded profile may add or change launch paths.
  bool allow_launch() const { return allow_launch_; }

  // keymap.bin and MacroDefine.bin; with `create_missing` the data folder and missing files
  // are created, as at the window's first start.
  // The data folder's lock is taken first and kept until the session ends (not in a dry run,
  // which changes nothing there).
  ExitCode LoadFiles(bool create_missing);
  // The data folder, made when missing, and its lock kept until the session ends: for a
  // command that changes a file of its own there (rules.json) and loads no store.
  ExitCode LockDataFolderToWrite();
  // Connects and keeps the keyboard's lock until the session ends, so that the full read and
  // the write built on it are one hold.
  ExitCode Connect();
  // The full read, applied to the state; a dry run reads too, as reads change nothing.
  ExitCode FullRead();
  // The time this session's connection has spent in the keyboard's pauses so far.
  std::int64_t PausedMs() const { return connections_ ? connections_->PausedMs() : 0; }
  // LoadFiles, Connect and FullRead: what every command that changes the keyboard starts with.
  ExitCode ReadKeyboard(bool create_missing);
  // The write of changes, applied; keymap.bin is rewritten as after every Apply. A write that
  // changes something is preceded by a backup of what the keyboard held; without it nothing is
  // sent.
  ExitCode WriteChanges();
  // FactoryReset and RereadAll, then the host's key settings reset and keymap.bin; a backup
  // first, as for a write.
  ExitCode FactoryReset();
  Result<FirmwareVersion> ReadFirmware();
  // `macro`'s change words made on the stored macros and saved (after LoadFiles), or while the
  // window runs made by the window on its own, whose files are then read back.
  Result<MacroWords::Done> ChangeMacros(std::span<const std::string> words);
  // `profile import FILE` made by the running window on its own state: the name it was kept
  // under, or the window's refusal. Only while through_window().
  Result<std::string> ImportProfile(const std::filesystem::path& file);
  bool through_window() const { return window_ != nullptr; }
  // What the running window sees of the keyboard; nullopt when this run opens the keyboard
  // itself.
  std::optional<Result<KeyboardStatus>> WindowKeyboard();

  // A command whose own result names the failure (status) prints no separate error object.
  void PrintFailuresAsJson(bool on) { failures_as_json_ = on; }

  // Prints "n240qx-ctl: message" to standard error (with --json also an error object to
  // standard output) and returns `code`.
  ExitCode Fail(ExitCode code, const std::string& message);
  ExitCode FailDevice(const Error& error);

 private:
  CliSession(ProgramPaths paths, bool json);
  // Paths and the command line's choices, with neither keyboard nor window yet.
  static Result<std::unique_ptr<CliSession>> Create(const CliArguments& arguments);
  Status OpenKeyboard(const CliArguments& arguments);
  // The state's stores: saved, or only read in a dry run and while the window carries out the
  // command.
  void UseStores();
  // The window's ReadProfile as the state's image and key settings, both snapshots alike.
  ExitCode ReadThroughWindow();
  ExitCode WriteThroughWindow();
  ExitCode LockDataFolder();
  ExitCode MakeDataFolder();
  ExitCode BackUp(bool factory_reset);
  // The exit status of a sequence whose ending the state has applied; `sent` when the keyboard
  // was changed, so that a file that could not follow does not read as nothing done.
  ExitCode Finish(const SequenceEnd& end, bool sent);
  // Where a write or reset goes: the keyboard after a backup, or in a dry run the connected
  // stand-in.
  ExitCode PrepareWrite(bool factory_reset, DeviceSession*& writer);
  ExitCode PrintDryRun(const std::vector<WriteRegion>& regions,
                       std::vector<std::string> reports = {});

  template <typename T>
  T Await(const std::function<void(DeviceSession::Done<T>)>& start) {
    std::optional<T> result;
    StopOnSignal();
    start([&result](T value) { result.emplace(std::move(value)); });
    while (!result) {
      dispatcher_.RunOne(std::chrono::milliseconds(kSignalCheckMs));
      StopOnSignal();
    }
    EndProgressLine();
    return std::move(*result);
  }
  // How often a wait looks for SIGTERM or SIGINT.
  static constexpr int kSignalCheckMs = 20;
  void StopOnSignal();
  // The sequence started by `start` changes the keyboard: once begun it runs to its end on the
  // first signal, so the keyboard and keymap.bin agree on all of it; a second one stops it.
  template <typename T>
  T AwaitWhole(const std::function<void(DeviceSession::Done<T>)>& start) {
    signals_before_write_ = StopSignals::Count();
    T result = Await<T>(start);
    signals_before_write_.reset();
    return result;
  }
  void ShowProgress(const SequenceProgress& progress);
  void EndProgressLine();

  ProgramPaths paths_;
  OwnFiles own_files_;
  bool json_;
  bool simulated_ = false;
  bool data_dir_given_ = false;
  bool dry_run_ = false;
  bool no_backup_ = false;
  bool allow_launch_ = false;
  // The backup the write of this run was preceded by; empty when none was saved.
  std::filesystem::path backup_file_;
  bool failures_as_json_ = true;
  bool progress_shown_ = false;
  bool progress_to_terminal_;
  // While a write or reset runs: the signals that had come before it began.
  std::optional<int> signals_before_write_;
  QueueDispatcher dispatcher_;
  std::unique_ptr<ConfiguratorState> state_;
  std::unique_ptr<ConfiguratorSessionEvents> events_;
  std::unique_ptr<DeviceConnectionFactory> connections_;
  // Let go after the keyboard's lock, with the connection.
  std::unique_ptr<DeviceLockHold> data_folder_lock_;
  // Last: its session stops before anything above goes.
  std::unique_ptr<DeviceConnection> connection_;
  // The connection's session, which every command drives.
  DeviceSession* session_ = nullptr;
  // A dry run's stand-in, which takes its writes and resets.
  std::unique_ptr<DeviceConnection> dry_run_connection_;
  // Set instead of the connection while the running window owns the keyboard.
  std::unique_ptr<WindowBusClient> window_;
  WindowWrite window_write_;
};

}  // namespace n240qx
