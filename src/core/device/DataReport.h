#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace n240qx {

// Bulk regions move as 65-byte data reports on the command interface: report id 0 and 64
// payload bytes. A region of N x 64 bytes is N consecutive reports, payloads in order.
inline constexpr std::size_t kDataReportSize = 65;
inline constexpr std::size_t kDataPayloadSize = 64;
inline constexpr std::uint8_t kDataReportId = 0;

using DataReport = std::array<std::uint8_t, kDataReportSize>;
using DataPayload = std::array<std::uint8_t, kDataPayloadSize>;

DataReport BuildDataReport(std::span<const std::uint8_t, kDataPayloadSize> payload);
DataPayload DataReportPayload(std::span<const std::uint8_t, kDataReportSize> report);

}  // namespace n240qx
