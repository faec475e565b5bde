#include "hid/ReportFraming.h"

#include <algorithm>
#include <string>

namespace n240qx {

namespace {

bool Contains(const std::vector<std::uint8_t>& ids, std::uint8_t id) {
  return std::binary_search(ids.begin(), ids.end(), id);
}

bool UsesIds(const HidTopLevelCollection& collection) {
  for (const auto* ids : {&collection.input_report_ids, &collection.output_report_ids,
                          &collection.feature_report_ids}) {
    if (std::any_of(ids->begin(), ids->end(), [](std::uint8_t id) { return id != 0; })) {
      return true;
    }
  }
  return false;
}

Status CheckId(std::span<const std::uint8_t> report, const std::vector<std::uint8_t>& ids,
               const char* kind) {
  if (report.empty()) {
    return Error{ErrorCode::kInvalidArgument, std::string("Empty ") + kind + " report"};
  }
  if (!Contains(ids, report[0])) {
    return Error{ErrorCode::kInvalidArgument, "Report id " + std::to_string(report[0]) +
                                                  " is not a " + kind +
                                                  " report of the opened interface"};
  }
  return Status::Ok();
}

}  // namespace

ReportFraming::ReportFraming(const HidTopLevelCollection& collection, bool interface_uses_ids)
    : collection_(collection), interface_uses_ids_(interface_uses_ids) {}

std::optional<ReportFraming> ReportFraming::ForCollection(
    const std::vector<HidTopLevelCollection>& collections, std::size_t index) {
  if (index >= collections.size()) {
    return std::nullopt;
  }
  const bool uses_ids = std::any_of(collections.begin(), collections.end(), UsesIds);
  return ReportFraming(collections[index], uses_ids);
}

std::optional<std::size_t> ReportFraming::FrameInput(std::span<const std::uint8_t> raw,
                                                     std::span<std::uint8_t> out) const {
  if (!interface_uses_ids_) {
    // An interface without ids has one report of each kind and nothing to filter.
    if (out.empty()) {
      return 0;
    }
    out[0] = 0;
    const std::size_t copied = std::min(raw.size(), out.size() - 1);
    std::copy_n(raw.begin(), copied, out.begin() + 1);
    return copied + 1;
  }
  if (raw.empty() || !Contains(collection_.input_report_ids, raw[0])) {
    return std::nullopt;
  }
  const std::size_t copied = std::min(raw.size(), out.size());
  std::copy_n(raw.begin(), copied, out.begin());
  return copied;
}

Status ReportFraming::CheckFeature(std::span<const std::uint8_t> report) const {
  return CheckId(report, collection_.feature_report_ids, "feature");
}

Status ReportFraming::CheckOutput(std::span<const std::uint8_t> report) const {
  return CheckId(report, collection_.output_report_ids, "output");
}

}  // namespace n240qx
