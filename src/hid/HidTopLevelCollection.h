#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace n240qx {

// One HID top-level collection of a report descriptor: what Windows opens as its own device
// interface. Report id 0 stands for the unnumbered reports of a descriptor that uses no ids.
struct HidTopLevelCollection {
  std::uint16_t usage_page = 0;
  std::uint16_t usage = 0;
  // Sorted, without repeats.
  std::vector<std::uint8_t> input_report_ids;
  std::vector<std::uint8_t> output_report_ids;
  std::vector<std::uint8_t> feature_report_ids;
  // The longest report of each kind in bytes, report id byte included, as Windows counts it
  // (a descriptor without ids still gets the leading 0); 0 when the collection has none.
  std::size_t input_report_length = 0;
  std::size_t output_report_length = 0;
  std::size_t feature_report_length = 0;
};

}  // namespace n240qx
