#include "gui/ScreenLights.h"

#include <algorithm>

#include "gui/ScreenWatcher.h"

namespace n240qx {

namespace {

std::uint64_t IdleMs(int minutes) {
  return static_cast<std::uint64_t>(minutes) * 60'000;
}

}  // namespace

ScreenLights::ScreenLights(Window window, QObject* parent)
    : QObject(parent), window_(std::move(window)) {}

ScreenLights::~ScreenLights() = default;

void ScreenLights::Watch(QDBusConnection session, QDBusConnection system) {
  delete watcher_;
  watcher_ = new ScreenWatcher(std::move(session), std::move(system), this);
  watcher_->HoldSleep(lights_.Follows(DarkLights::Reason::kSleep));
  connect(watcher_, &ScreenWatcher::ScreenActiveChanged, this,
          [this](bool active) { OnReason(DarkLights::Reason::kScreen, active); });
  connect(watcher_, &ScreenWatcher::SleepChanged, this,
          [this](bool sleeping) { OnReason(DarkLights::Reason::kSleep, sleeping); });
  connect(watcher_, &ScreenWatcher::IdleChanged, this,
          [this](bool idle) { OnReason(DarkLights::Reason::kIdle, idle); });
  connect(watcher_, &ScreenWatcher::IdleSourceChanged, this, &ScreenLights::IdleSourceChanged);
  watcher_->WatchIdle(IdleMs(idle_minutes_));
}

void ScreenLights::SetIdleMinutes(int minutes) {
  idle_minutes_ = std::max(minutes, 0);
  lights_.Follow(DarkLights::Reason::kIdle, idle_minutes_ > 0);
  if (watcher_ != nullptr) {
    watcher_->WatchIdle(IdleMs(idle_minutes_));
  }
  Settle();
}

bool ScreenLights::idle_source() const {
  return watcher_ != nullptr && watcher_->idle_source();
}

void ScreenLights::Follow(DarkLights::Reason reason, bool on) {
  lights_.Follow(reason, on);
  if (reason == DarkLights::Reason::kSleep && watcher_ != nullptr) {
    watcher_->HoldSleep(on);
  }
  Settle();
}

void ScreenLights::ToggleLights() {
  lights_.Toggle(window_.brightness());
  Settle();
}

void ScreenLights::OnReason(DarkLights::Reason reason, bool active) {
  if (active) {
    lights_.Begin(reason);
  } else {
    lights_.End(reason);
  }
  Settle();
}

void ScreenLights::Settle() {
  // A sequence that runs now ends in OnSequenceEnded, which asks again.
  if (window_.busy()) {
    return;
  }
  if (const auto brightness = lights_.Step(window_.brightness())) {
    window_.write(*brightness);
    return;
  }
  // Dark, or nothing to darken: the suspend need not wait any longer.
  if (watcher_ != nullptr && lights_.Active(DarkLights::Reason::kSleep)) {
    watcher_->ReleaseSleep();
  }
}

}  // namespace n240qx
