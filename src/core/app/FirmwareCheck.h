#pragma once

#include <filesystem>
#include <optional>

#include "app/ConfirmPrompt.h"
#include "app/Texts.h"
#include "device/FirmwareVersion.h"

namespace n240qx {

// Whether to offer the separate firmware updater after a read from the keyboard. The check
// never shows anything itself: the window asks the prompt and, on OK, starts the updater.
class FirmwareCheck {
 public:
  FirmwareCheck() = default;
  explicit FirmwareCheck(std::optional<FirmwareVersion> shipped) : shipped_(shipped) {}

  // Reads the version file once at start-up; a missing, short or damaged file means the
  // check never asks.
  static FirmwareCheck FromVersionFile(const std::filesystem::path& version_file);

  const std::optional<FirmwareVersion>& shipped() const { return shipped_; }

  // Older when the shipped major is greater, or the majors are equal and the shipped minor is
  // greater.
  static bool KeyboardIsOlder(FirmwareVersion shipped, FirmwareVersion keyboard);

  // False whenever either version is unknown.
  bool ShouldOfferUpdate(std::optional<FirmwareVersion> keyboard) const;

  static ConfirmPrompt Prompt(const Texts& texts);

 private:
  std::optional<FirmwareVersion> shipped_;
};

}  // namespace n240qx
