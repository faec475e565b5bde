#pragma once

#include <QFileSystemWatcher>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Texts.h"
#include "automation/ActiveWindow.h"
#include "automation/AutomationRules.h"
#include "automation/ProcessList.h"
#include "automation/ProfileSwitcher.h"
#include "automation/RunningProgram.h"
#include "automation/WindowActivity.h"
#include "util/RealClock.h"
#include "util/Result.h"

namespace n240qx {

// The window's side of automatic profile switching: keeps the rules as rules.json says
// (reloaded when the file changes), passes what the desktop reports and the running programs to
// RuleMatcher and ProfileSwitcher, and writes what the switcher decides. Nothing runs at rest:
// one single-shot timer while a switch waits for time, and the scan of the running programs
// only while a rule needs them.
class AutomationRunner {
 public:
  using WriteDone = std::function<void(const Status& status)>;
  struct Window {
    // What keeps the window from a switch now.
    std::function<WindowActivity()> activity;
    // The library's profile into the image and the difference written, without a backup.
    std::function<void(const std::string& profile, WriteDone done)> write;
    // The rules' line (status()) has changed.
    std::function<void()> status_changed;
    // The rules have been read anew.
    std::function<void()> rules_changed;
    // Shown as it is in the window's failure line.
    std::function<void(std::string text)> failure;
  };
  struct Setup {
    std::filesystem::path rules_file;
    std::filesystem::path proc_root = "/proc";
    ProfileSwitcher::Timing timing{};
  };

  AutomationRunner(Setup setup, const Texts& texts, Window window);
  ~AutomationRunner();
  AutomationRunner(const AutomationRunner&) = delete;
  AutomationRunner& operator=(const AutomationRunner&) = delete;

  // Reads the rules, starts watching their file and takes the first decision.
  void Start();
  // The desktop has a new active window.
  void OnActiveWindow(ActiveWindow window);
  // What the window is doing may have changed (a route or a sequence ended): a waiting switch
  // may go now.
  void OnWindowChanged();
  // The user applied a library profile by hand (tray, bus, profile key): it stands until the
  // rules' pick changes (ProfileSwitcher::OnProfileChosen).
  void OnProfileChosen(const std::string& profile);

  // Told "a rule applied profile NAME" after each automatic switch the keyboard took.
  std::function<void(const std::string& profile)> on_rule_applied_profile;

  const AutomationRules& rules() const { return rules_; }
  // Which rule chose the keyboard's profile, or what a switch waits for; empty for nothing.
  const std::string& status() const { return status_; }
  bool scanning() const { return scan_timer_.isActive(); }
  bool waking() const { return wake_timer_.isActive(); }

 private:
  void LoadRules();
  void WatchRules();
  void ScanProcesses();
  // The rules' pick for what is known now goes to the switcher, then Advance.
  void Decide();
  // The switcher's step is taken: a write started, the timers armed, the line updated.
  void Advance();
  void OnWritten(const std::string& profile, const Status& status);
  void ArmTimers();
  void UpdateStatus();

  Setup setup_;
  const Texts& texts_;
  Window window_;
  RealClock clock_;
  ProfileSwitcher switcher_;
  ProcessList processes_;
  AutomationRules rules_;
  std::optional<ActiveWindow> active_window_;
  std::vector<RunningProgram> programs_;
  std::string status_;
  std::string rules_fault_;
  QTimer wake_timer_;
  QTimer scan_timer_;
  QFileSystemWatcher watcher_;
  // A write's end may be told after this object has gone (the window ending mid-write).
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace n240qx
