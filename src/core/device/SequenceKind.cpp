#include "device/SequenceKind.h"

namespace n240qx {

const char* SequenceName(SequenceKind kind) {
  switch (kind) {
    case SequenceKind::kConnect:
      return "connect";
    case SequenceKind::kFullRead:
      return "full read";
    case SequenceKind::kReread:
      return "re-read";
    case SequenceKind::kWrite:
      return "write of changes";
    case SequenceKind::kFactoryReset:
      return "factory reset";
    case SequenceKind::kFirmwareRead:
      return "firmware read";
    case SequenceKind::kArrival:
      return "keyboard arrival";
  }
  return "sequence";
}

}  // namespace n240qx
