#include "device/FirmwareVersion.h"

namespace n240qx {

namespace {

constexpr std::size_t kShippedMajorByte = 5;
constexpr std::size_t kShippedMinorByte = 7;
constexpr std::size_t kAnswerMajorByte = 2;
constexpr std::size_t kAnswerMinorByte = 3;

std::optional<int> AsciiDigit(std::uint8_t byte) {
  if (byte < '0' || byte > '9') {
    return std::nullopt;
  }
  return byte - '0';
}

}  // namespace

std::optional<FirmwareVersion> ParseShippedFirmwareVersion(std::span<const std::uint8_t> bytes) {
  if (bytes.size() <= kShippedMinorByte) {
    return std::nullopt;
  }
  const auto major = AsciiDigit(bytes[kShippedMajorByte]);
  const auto minor = AsciiDigit(bytes[kShippedMinorByte]);
  if (!major || !minor) {
    return std::nullopt;
  }
  return FirmwareVersion{*major, *minor};
}

std::optional<FirmwareVersion> KeyboardFirmwareVersion(int major, int minor) {
  const FirmwareVersion version{major, minor};
  if (version == FirmwareVersion{}) {
    return std::nullopt;
  }
  return version;
}

std::optional<FirmwareVersion> ParseKeyboardFirmwareAnswer(std::span<const std::uint8_t> answer) {
  if (answer.size() <= kAnswerMinorByte) {
    return std::nullopt;
  }
  return KeyboardFirmwareVersion(answer[kAnswerMajorByte], answer[kAnswerMinorByte]);
}

}  // namespace n240qx
