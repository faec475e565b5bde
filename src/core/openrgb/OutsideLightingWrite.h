#pragma once

#include <functional>

#include "device/WriteOutcome.h"
#include "image/ConfigImage.h"
#include "image/DeviceSnapshot.h"

namespace n240qx {

// A lighting write made from outside the window (an SDK client's frame, the lights going dark
// with the screen) sends its own change and nothing else: the user's unapplied edits are no
// part of it, so they go out only with the user's own Apply, after its backup.

// What such a write sends: what the keyboard holds, with `change` made.
ConfigImage OutsideLightingTarget(const DeviceSnapshot& held,
                                  const std::function<void(ConfigImage&)>& change);

// Before such a write: the window shows `target` wherever the user has not edited `image`.
void ShowOutsideLighting(const ConfigImage& target, ConfigImage& image, const DeviceSnapshot& held);

// After such a write: what the keyboard now holds (everything on success, the acknowledged
// regions after a failure) goes into `held`, and into `image` wherever the user had not edited
// it; a byte the user changed stays the user's, still differing from `held`.
void SettleOutsideLightingWrite(const WriteOutcome& outcome, ConfigImage& image,
                                DeviceSnapshot& held);

}  // namespace n240qx
