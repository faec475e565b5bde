#include "app/FirmwareCheck.h"

#include "util/AtomicFile.h"

namespace n240qx {

FirmwareCheck FirmwareCheck::FromVersionFile(const std::filesystem::path& version_file) {
  const auto bytes = ReadFilePrefix(version_file, kVersionFileReadSize);
  if (!bytes.ok()) {
    return FirmwareCheck();
  }
  return FirmwareCheck(ParseShippedFirmwareVersion(*bytes));
}

bool FirmwareCheck::KeyboardIsOlder(FirmwareVersion shipped, FirmwareVersion keyboard) {
  return shipped > keyboard;
}

bool FirmwareCheck::ShouldOfferUpdate(std::optional<FirmwareVersion> keyboard) const {
  if (!shipped_ || !keyboard) {
    return false;
  }
  return KeyboardIsOlder(*shipped_, *keyboard);
}

ConfirmPrompt FirmwareCheck::Prompt(const Texts& texts) {
  return {texts.Get(TextId::kFirmwareUpdateTitle), texts.Get(TextId::kFirmwareUpdateQuestion)};
}

}  // namespace n240qx
