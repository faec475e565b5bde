#include "device/FeatureReport.h"

namespace n240qx {

std::uint8_t FeatureChecksum(std::span<const std::uint8_t, kFeatureReportSize> report) {
  unsigned sum = 0;
  for (std::size_t i = 1; i < kFeatureReportSize - 1; ++i) {
    sum += report[i];
  }
  return static_cast<std::uint8_t>(0xFFU - sum);
}

FeatureReport BuildFeatureReport(std::uint8_t code, const FeatureParams& params) {
  FeatureReport report{};
  report[0] = kFeatureReportId;
  report[1] = code;
  for (std::size_t i = 0; i < kFeatureParamCount; ++i) {
    report[2 + i] = params[i];
  }
  report[kFeatureReportSize - 1] = FeatureChecksum(report);
  return report;
}

}  // namespace n240qx
