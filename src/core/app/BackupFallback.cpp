#include "app/BackupFallback.h"

#include "app/FailureText.h"

namespace n240qx {

BackupFallback::Step BackupFallback::OnBackup(const Status& saved) {
  if (saved.ok()) {
    agreed_.reset();
    return Step::kSend;
  }
  if (agreed_ == saved.error().code) {
    return Step::kSend;
  }
  asked_ = saved.error().code;
  question_ = FailureText(texts_, TextId::kBackupFailed, saved.error()) + "\n\n" +
              std::string(texts_.Get(TextId::kSendWithoutBackup));
  return Step::kAsk;
}

ConfirmPrompt BackupFallback::Prompt() const {
  return {texts_.Get(TextId::kSendWithoutBackupTitle), question_};
}

bool BackupFallback::OnAnswer(bool send) {
  agreed_ = send ? asked_ : std::nullopt;
  return send;
}

}  // namespace n240qx
