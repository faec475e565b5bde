#pragma once

#include <cstdint>

namespace n240qx::command_code {

// Bit 7 set marks a read; the keyboard answers a read through the feature answer and, for the
// bulk regions, with data reports that follow it.
inline constexpr std::uint8_t kReadFirmwareVersion = 0x80;
inline constexpr std::uint8_t kReadReportRate = 0x81;
inline constexpr std::uint8_t kReadResponseTime = 0x84;
inline constexpr std::uint8_t kReadLighting = 0x88;
inline constexpr std::uint8_t kReadGameMode = 0x89;
inline constexpr std::uint8_t kReadKeyMap = 0x8D;
inline constexpr std::uint8_t kReadKeyEnableMask = 0x8E;
inline constexpr std::uint8_t kReadMacro = 0x91;
inline constexpr std::uint8_t kReadColourTable = 0x92;
inline constexpr std::uint8_t kReadColourSlot = 0x94;

inline constexpr std::uint8_t kWriteReportRate = 0x01;
inline constexpr std::uint8_t kWriteResponseTime = 0x04;
inline constexpr std::uint8_t kWriteLighting = 0x08;
// Carries game_mode, and the constant 1 of SelectModeOne.
inline constexpr std::uint8_t kWriteGameMode = 0x09;
inline constexpr std::uint8_t kWriteKeyMap = 0x0D;
inline constexpr std::uint8_t kWriteKeyEnableMask = 0x0E;
inline constexpr std::uint8_t kWriteMacro = 0x11;
inline constexpr std::uint8_t kWriteColourTable = 0x12;
inline constexpr std::uint8_t kFactoryReset = 0x13;
inline constexpr std::uint8_t kWriteColourSlot = 0x14;
inline constexpr std::uint8_t kWriteBracket = 0x18;

constexpr bool IsReadCommand(std::uint8_t code) {
  return (code & 0x80U) != 0;
}

}  // namespace n240qx::command_code
