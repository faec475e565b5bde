#include <chrono>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iostream>

#include "app/DiagnosisReport.h"
#include "app/ProgramVersion.h"
#include "app/UdevRuleHelp.h"
#include "cli/Commands.h"
#include "device/FirmwareVersionText.h"
#include "hid/KeyboardNodeDiagnosis.h"
#include "hid/SysfsHidScanner.h"

namespace n240qx {

namespace {

constexpr std::size_t kWireLogLines = 20;

std::optional<std::string> Environment(const char* name) {
  // NOLINTNEXTLINE(concurrency-mt-unsafe): read on the main thread before any session starts
  const char* value = std::getenv(name);
  return value ? std::optional<std::string>(value) : std::nullopt;
}

// Where udev looks for rules, the administrator's folder first.
void AddUdevRule(DiagnosisReport& report, const ProgramPaths& paths) {
  const std::filesystem::path shipped = UdevRuleHelp::ShippedRule(paths.share_folder());
  auto& section = report.Add("udev_rule");
  std::string installed;
  for (const std::filesystem::path folder :
       {"/etc/udev/rules.d", "/usr/lib/udev/rules.d", "/lib/udev/rules.d"}) {
    std::error_code ignored;
    if (installed.empty() && std::filesystem::exists(folder / shipped.filename(), ignored)) {
      installed = (folder / shipped.filename()).string();
    }
  }
  section.items.push_back({"installed", installed.empty() ? std::string("no") : installed});
  if (installed.empty()) {
    section.lines = UdevRuleHelp::Commands(shipped);
  }
}

std::string FirmwareText(const std::optional<FirmwareVersion>& firmware) {
  return FirmwareVersionText(firmware, "unknown");
}

// The running window holds the keyboard: what it sees, with no read of the tool's own, which
// would only wait for the window to let go.
void AddWindowsKeyboard(DiagnosisReport::Section& section, const Result<KeyboardStatus>& seen) {
  section.items.push_back({"simulated", seen.ok() && seen->simulated});
  section.items.push_back({"found", seen.ok() && seen->connected});
  section.items.push_back(
      {"held_by", seen.ok() ? std::string("the running window; no read was timed")
                            : "the running window, which did not answer: " + seen.error().message});
  section.items.push_back({"firmware", FirmwareText(seen.ok() ? seen->firmware : std::nullopt)});
}

void AddKeyboard(DiagnosisReport& report, CliSession& session) {
  auto& section = report.Add("keyboard");
  if (const auto seen = session.WindowKeyboard()) {
    AddWindowsKeyboard(section, *seen);
    return;
  }
  section.items.push_back({"simulated", session.simulated()});
  if (session.Connect() != ExitCode::kOk) {
    section.items.push_back({"found", false});
    return;
  }
  section.items.push_back({"found", true});
  const auto start = std::chrono::steady_clock::now();
  const std::int64_t paused_before = session.PausedMs();
  const bool read = session.FullRead() == ExitCode::kOk;
  const auto took = std::chrono::steady_clock::now() - start;
  section.items.push_back({"full_read", read});
  if (read) {
    // Most of a healthy read is the pauses the keyboard asks for; the rest is the transfers.
    section.items.push_back(
        {"full_read_ms",
         std::int64_t{std::chrono::duration_cast<std::chrono::milliseconds>(took).count()}});
    section.items.push_back({"full_read_pauses_ms", session.PausedMs() - paused_before});
  }
  section.items.push_back({"firmware", FirmwareText(session.state().firmware())});
}

void AddDataFolder(DiagnosisReport& report, CliSession& session) {
  const ProgramPaths& paths = session.paths();
  auto& section = report.Add("data_folder");
  std::error_code ignored;
  const bool exists = std::filesystem::is_directory(paths.data_folder(), ignored);
  section.items = {{"folder", paths.data_folder().string()}, {"exists", exists}};
  // Loading tells which stores would be held unread; nothing is written by it.
  if (exists && session.LoadFiles(false) != ExitCode::kOk) {
    section.items.push_back({"loads", false});
  }
  for (const auto& file :
       {paths.KeymapFile(), paths.MacroFile(), paths.ProfilesFolder(), paths.BackupsFolder()}) {
    section.entries.push_back(StoreItems(file, session.state().stores()));
  }
}

Status AddWireLog(DiagnosisReport& report, const std::filesystem::path& file) {
  std::ifstream in(file);
  if (!in) {
    return Error{ErrorCode::kIo, "cannot read the wire log " + file.string()};
  }
  std::deque<std::string> last;
  for (std::string line; std::getline(in, line);) {
    last.push_back(line);
    if (last.size() > kWireLogLines) {
      last.pop_front();
    }
  }
  auto& section = report.Add("wire_log");
  section.items.push_back({"file", file.string()});
  section.lines.assign(last.begin(), last.end());
  return Status::Ok();
}

}  // namespace

// For a bug report: everything that decides whether the tool can reach the keyboard, read
// only. The keyboard is read, never written; the data folder is looked at, never changed.
ExitCode RunDiagnoseCommand(CliSession& session, const CliArguments& arguments) {
  if (arguments.words.size() > 1) {
    return session.Fail(ExitCode::kUsage, "diagnose takes at most one wire log FILE");
  }
  session.PrintFailuresAsJson(false);
  DiagnosisReport report;
  report.Add("program").items = {{"version", std::string(kProgramVersion)}};
  report.Add("desktop").items = DesktopSessionItems(Environment);
  auto& nodes = report.Add("hidraw_nodes");
  nodes.entries = KeyboardNodeEntries(SysfsHidScanner().Scan());
  if (nodes.entries.empty()) {
    nodes.lines = {"no node of the keyboard (04d9:a124, or 04d9:a126 while it updates)"};
  }
  AddUdevRule(report, session.paths());
  AddKeyboard(report, session);
  AddDataFolder(report, session);
  if (!arguments.words.empty()) {
    if (Status added = AddWireLog(report, arguments.words[0]); !added.ok()) {
      return session.Fail(ExitCode::kFileError, added.error().message);
    }
  }
  std::cout << (session.json() ? report.Json() + "\n" : report.Text());
  return ExitCode::kOk;
}

}  // namespace n240qx
