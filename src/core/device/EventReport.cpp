#include "device/EventReport.h"

#include <algorithm>

namespace n240qx {

std::array<std::uint8_t, kEventReportSize> PrimedEventReport() {
  std::array<std::uint8_t, kEventReportSize> report{};
  report[0] = kEventReportId;
  return report;
}

std::optional<EventReport> DecodeEventReport(std::span<const std::uint8_t> received) {
  if (received.size() < 2) {
    return std::nullopt;
  }
  auto bytes = PrimedEventReport();
  std::copy_n(received.begin(), std::min(received.size(), bytes.size()), bytes.begin());
  return EventReport{bytes[0], bytes[1], bytes[2], bytes[3]};
}

}  // namespace n240qx
