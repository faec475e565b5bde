#include "cli/DryRunKeyboard.h"

namespace n240qx {

DryRunKeyboard::DryRunKeyboard(Dispatcher& dispatcher)
    : log_(clock_, nullptr, true),
      link_(keyboard_, log_),
      session_(link_, clock_, dispatcher, *this) {}

DryRunKeyboard::~DryRunKeyboard() = default;

std::vector<std::string> DryRunKeyboard::TakeSent() {
  std::vector<std::string> sent;
  for (const WireLogEntry& entry : log_.Entries()) {
    if (entry.direction == WireDirection::kOut) {
      sent.push_back(entry.Untimed());
    }
  }
  log_.Clear();
  return sent;
}

}  // namespace n240qx
