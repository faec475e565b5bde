#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "device/DeviceLockHold.h"
#include "device/HidLink.h"
#include "util/Clock.h"
#include "util/Result.h"

namespace n240qx {

// How long a sequence waits for another program to let go of the keyboard: longer than that
// program's longest sequence (a full read) takes.
inline constexpr std::chrono::milliseconds kDefaultLockWait{15000};

inline constexpr const char* kKeyboardBusyMessage = "the keyboard is busy with another program";

// Takes the keyboard's lock for one sequence. While another program holds it, `waiting` is
// told once (true) and the lock is tried again every 50 ms on `clock`; `waiting` hears false
// once the wait is over either way. kTimeout when `limit` passed first.
Result<std::unique_ptr<DeviceLockHold>> AwaitDeviceLock(HidLink& link, const std::string& path,
                                                        Clock& clock,
                                                        std::chrono::milliseconds limit,
                                                        const std::function<void(bool)>& waiting);

// The same wait for any lock `try_once` tries; the timeout's message starts with `busy` ("The
// keyboard is busy with another program") and ends with `gave_up_tail` ("and sent nothing").
Result<std::unique_ptr<DeviceLockHold>> AwaitLock(
    const std::function<Result<std::unique_ptr<DeviceLockHold>>()>& try_once, Clock& clock,
    std::chrono::milliseconds limit, const std::function<void(bool)>& waiting,
    const std::string& busy, const std::string& gave_up_tail);

}  // namespace n240qx
