#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace n240qx {

// Commands travel as 9-byte feature reports: report id 0, the command code, six parameter bytes
// and a checksum; the keyboard's answer has the same shape and uses the same byte numbering.
inline constexpr std::size_t kFeatureReportSize = 9;
inline constexpr std::size_t kFeatureParamCount = 6;
inline constexpr std::uint8_t kFeatureReportId = 0;

using FeatureReport = std::array<std::uint8_t, kFeatureReportSize>;
using FeatureAnswer = std::array<std::uint8_t, kFeatureReportSize>;
// Request bytes 2-7, in order.
using FeatureParams = std::array<std::uint8_t, kFeatureParamCount>;

// 0xFF minus the sum of bytes 1-7, modulo 256.
std::uint8_t FeatureChecksum(std::span<const std::uint8_t, kFeatureReportSize> report);

FeatureReport BuildFeatureReport(std::uint8_t code, const FeatureParams& params);

}  // namespace n240qx
