#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace n240qx {

inline constexpr std::size_t kEventReportSize = 4;
// The reader primes byte 0 with this id before each read.
inline constexpr std::uint8_t kEventReportId = 4;

// A report the keyboard sends on its own: a lighting change made on the keyboard, a write
// acknowledgement, or a key press that the host is to act on.
struct EventReport {
  std::uint8_t report_id = kEventReportId;
  std::uint8_t kind = 0;
  std::uint8_t sub_code = 0;
  std::uint8_t value = 0;

  friend bool operator==(const EventReport&, const EventReport&) = default;
};

// The buffer a read starts from: report id 4, the rest 0.
std::array<std::uint8_t, kEventReportSize> PrimedEventReport();

// `received` holds the bytes one read delivered. Bytes the keyboard left out keep their primed
// value; fewer than two bytes carry no kind at all and give no report.
std::optional<EventReport> DecodeEventReport(std::span<const std::uint8_t> received);

}  // namespace n240qx
