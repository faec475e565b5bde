#include "hid/KeyboardNodeDiagnosis.h"

#include <cstdio>

#include "device/DeviceLink.h"

namespace n240qx {

namespace {

std::string Hex4(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value & 0xFFFFU);
  return text;
}

std::string Ids(const std::vector<std::uint8_t>& ids) {
  std::string text;
  for (const std::uint8_t id : ids) {
    text += (text.empty() ? "" : "/") + std::to_string(id);
  }
  return text.empty() ? "-" : text;
}

// "FF00:0001 (in 4, feature 7)": what the event and command searches look for.
std::string CollectionsText(const std::vector<HidTopLevelCollection>& collections) {
  std::string text;
  for (const HidTopLevelCollection& collection : collections) {
    text += (text.empty() ? "" : "; ") + Hex4(collection.usage_page) + ":" +
            Hex4(collection.usage) + " (in " + Ids(collection.input_report_ids) + ", out " +
            Ids(collection.output_report_ids) + ", feature " + Ids(collection.feature_report_ids) +
            ")";
  }
  return text.empty() ? "none" : text;
}

std::string OpenText(const HidrawNode& node) {
  if (!node.problem.empty()) {
    return "no: " + node.problem;
  }
  if (node.permission_denied) {
    return "no: permission denied (the udev rule is missing or not yet applied)";
  }
  return "yes";
}

}  // namespace

std::vector<std::vector<DiagnosisReport::Item>> KeyboardNodeEntries(
    const std::vector<HidrawNode>& nodes) {
  std::vector<std::vector<DiagnosisReport::Item>> entries;
  for (const HidrawNode& node : nodes) {
    const bool keyboard =
        node.id.vendor_id == kKeyboardVendorId &&
        (node.id.product_id == kKeyboardProductId || node.id.product_id == kUpdateModeProductId);
    // A node that could not be described may well be the keyboard's.
    const bool unknown = node.id == HidId{} && !node.problem.empty();
    if (!keyboard && !unknown) {
      continue;
    }
    entries.push_back({
        {"node", node.node},
        {"product", unknown ? std::string("unknown") : Hex4(node.id.product_id)},
        {"interface",
         node.interface_number ? std::int64_t{*node.interface_number} : std::int64_t{-1}},
        {"collections", CollectionsText(node.collections)},
        {"opens", OpenText(node)},
    });
  }
  return entries;
}

}  // namespace n240qx
