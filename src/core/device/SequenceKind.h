#pragma once

namespace n240qx {

// The keyboard sequences the device worker runs, one at a time.
enum class SequenceKind {
  kConnect,
  kFullRead,
  kReread,
  kWrite,
  kFactoryReset,
  kFirmwareRead,
  kArrival,
};

// A short English name for progress lines ("full read", "write of changes").
const char* SequenceName(SequenceKind kind);

}  // namespace n240qx
