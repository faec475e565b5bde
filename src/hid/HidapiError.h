#pragma once

#include <string>

#include "util/Error.h"

namespace n240qx {

enum class HidStage { kOpen, kTransfer };

// Turns the errno of a failed open or transfer on `node` into the error the device link branches
// on: a vanished node is kNotFound at open and kDisconnected afterwards, a refused one
// kPermissionDenied with what to do about it. `detail` (hidapi's own words) goes into kIo errors.
Error HidErrorFromErrno(int error_number, const std::string& node, HidStage stage,
                        const std::string& detail);

// hidapi reports in wide characters; the rest of the program speaks UTF-8.
std::string NarrowHidapiText(const wchar_t* text);

}  // namespace n240qx
