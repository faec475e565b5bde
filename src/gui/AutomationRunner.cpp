#include "gui/AutomationRunner.h"

#include <algorithm>

#include "automation/RuleMatcher.h"
#include "automation/SwitchStatusText.h"

namespace n240qx {

namespace {

int MillisecondsUntil(std::int64_t at_us, std::int64_t now_us) {
  // Rounded up: woken a little early, the switcher would only ask for the same time again.
  return static_cast<int>(std::max<std::int64_t>(0, (at_us - now_us + 999) / 1000));
}

}  // namespace

AutomationRunner::AutomationRunner(Setup setup, const Texts& texts, Window window)
    : setup_(std::move(setup)),
      texts_(texts),
      window_(std::move(window)),
      switcher_(clock_, setup_.timing),
      processes_(setup_.proc_root) {
  wake_timer_.setSingleShot(true);
  QObject::connect(&wake_timer_, &QTimer::timeout, [this] { Advance(); });
  QObject::connect(&scan_timer_, &QTimer::timeout, [this] { ScanProcesses(); });
  // The tool saves rules.json by renaming a new file over it: the folder sees that, the
  // file's own watch does not outlive it.
  QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged, [this] { LoadRules(); });
  QObject::connect(&watcher_, &QFileSystemWatcher::fileChanged, [this] { LoadRules(); });
}

AutomationRunner::~AutomationRunner() {
  *alive_ = false;
}

void AutomationRunner::Start() {
  LoadRules();
  Decide();
}

void AutomationRunner::OnActiveWindow(ActiveWindow window) {
  active_window_ = std::move(window);
  Decide();
}

void AutomationRunner::OnWindowChanged() {
  Advance();
}

void AutomationRunner::WatchRules() {
  const QString folder = QString::fromStdString(setup_.rules_file.parent_path().string());
  if (!watcher_.directories().contains(folder)) {
    watcher_.addPath(folder);
  }
  const QString file = QString::fromStdString(setup_.rules_file.string());
  std::error_code absent;
  if (std::filesystem::exists(setup_.rules_file, absent) && !watcher_.files().contains(file)) {
    watcher_.addPath(file);
  }
}

void AutomationRunner::LoadRules() {
  WatchRules();
  auto loaded = AutomationRules::Load(setup_.rules_file, texts_.language());
  if (!loaded.ok()) {
    // The rules as they were go on until the file is mended. The folder changes with every
    // save of keymap.bin: the same fault is told once.
    if (loaded.error().message != rules_fault_) {
      rules_fault_ = loaded.error().message;
      window_.failure(rules_fault_);
    }
    return;
  }
  rules_fault_.clear();
  if (*loaded == rules_) {
    return;
  }
  rules_ = std::move(*loaded);
  window_.rules_changed();
  if (!switcher_.ProcessScanUs(rules_)) {
    programs_.clear();
  }
  ScanProcesses();
}

void AutomationRunner::ScanProcesses() {
  if (switcher_.ProcessScanUs(rules_)) {
    auto programs = processes_.Read();
    programs_ = programs.ok() ? std::move(*programs) : std::vector<RunningProgram>();
  }
  Decide();
}

void AutomationRunner::Decide() {
  switcher_.OnPick(RuleMatcher(rules_).Pick(active_window_, programs_));
  Advance();
}

void AutomationRunner::Advance() {
  switcher_.OnActivity(window_.activity());
  const SwitchStep step = switcher_.Step();
  if (step.kind == SwitchStep::Kind::kApply) {
    const std::string profile = step.pick->profile;
    window_.write(profile, [this, alive = alive_, profile](const Status& status) {
      if (*alive) {
        OnWritten(profile, status);
      }
    });
  }
  ArmTimers();
  UpdateStatus();
}

void AutomationRunner::OnProfileChosen(const std::string& profile) {
  switcher_.OnProfileChosen(profile);
  Advance();
}

void AutomationRunner::OnWritten(const std::string& profile, const Status& status) {
  switcher_.OnWriteFinished(status.ok());
  if (!status.ok()) {
    window_.failure(std::string(texts_.Get(TextId::kRuleSwitchFailed)) + status.error().message);
  } else if (on_rule_applied_profile) {
    on_rule_applied_profile(profile);
  }
  // What comes next waits for the window's news that the sequence has ended.
  ArmTimers();
  UpdateStatus();
}

void AutomationRunner::ArmTimers() {
  if (const auto wake_at = switcher_.WakeAtUs()) {
    wake_timer_.start(MillisecondsUntil(*wake_at, clock_.NowUs()));
  } else {
    wake_timer_.stop();
  }
  const auto scan_us = switcher_.ProcessScanUs(rules_);
  if (!scan_us) {
    scan_timer_.stop();
  } else if (!scan_timer_.isActive()) {
    scan_timer_.start(static_cast<int>(*scan_us / 1000));
  }
}

void AutomationRunner::UpdateStatus() {
  std::string now = SwitchStatusText::For(switcher_.Peek(), switcher_.chosen_by(), rules_, texts_);
  if (now != status_) {
    status_ = std::move(now);
    window_.status_changed();
  }
}

}  // namespace n240qx
