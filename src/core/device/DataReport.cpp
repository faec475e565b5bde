#include "device/DataReport.h"

#include <algorithm>

namespace n240qx {

DataReport BuildDataReport(std::span<const std::uint8_t, kDataPayloadSize> payload) {
  DataReport report{};
  report[0] = kDataReportId;
  std::copy(payload.begin(), payload.end(), report.begin() + 1);
  return report;
}

DataPayload DataReportPayload(std::span<const std::uint8_t, kDataReportSize> report) {
  DataPayload payload{};
  std::copy(report.begin() + 1, report.end(), payload.begin());
  return payload;
}

}  // namespace n240qx
