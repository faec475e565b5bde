#pragma once

#include <optional>
#include <string>

#include "app/ConfirmPrompt.h"
#include "app/Texts.h"
#include "util/Error.h"
#include "util/Result.h"

namespace n240qx {

// The window's way past a backup that cannot be saved: without it a full home folder would
// block every write, even dimming the keyboard. The first failure asks whether to send without
// a backup; a yes holds for the writes that follow while the backups keep failing the same way
// (the same error), so a row of writes is not asked about again. A backup that is saved ends
// the row; a no leaves the write unsent and the next failure asks again.
class BackupFallback {
 public:
  enum class Step { kSend, kAsk };

  explicit BackupFallback(const Texts& texts) : texts_(texts) {}

  // What the backup before a write came to: kSend when it was saved or when this failure was
  // agreed to already; kAsk when Prompt() is to be asked.
  Step OnBackup(const Status& saved);
  // The question for the failure OnBackup last asked about; valid until the next OnBackup.
  ConfirmPrompt Prompt() const;
  // The user's answer to Prompt(); true when the write is to be sent.
  bool OnAnswer(bool send);

 private:
  const Texts& texts_;
  std::optional<ErrorCode> asked_;
  std::optional<ErrorCode> agreed_;
  std::string question_;
};

}  // namespace n240qx
