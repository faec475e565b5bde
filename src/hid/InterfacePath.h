#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/HidInterfaceInfo.h"
#include "hid/HidrawNode.h"
#include "util/Result.h"

namespace n240qx {

// An interface path in the Windows form the device search matches its markers against:
// "/dev/hidraw3#vid_04d9&pid_a124&mi_01&col04". The part before '#' is the node to open; the
// collection number picks the top-level collection, as Windows opens each one on its own.
struct InterfacePath {
  std::string node;
  // 0-based; "&col04" is index 3, no "&col" part is index 0.
  std::size_t collection_index = 0;

  // `collection_number` is 1-based (two decimal digits) and only given when the interface has
  // several top-level collections; `interface_number` (two hex digits, as bInterfaceNumber) is left
  // out for devices not on USB.
  static std::string Format(const std::string& node, std::uint16_t vendor_id,
                            std::uint16_t product_id, std::optional<int> interface_number,
                            std::optional<std::size_t> collection_number);
  // kInvalidArgument when the "&col" part is not a positive decimal number.
  static Result<InterfacePath> Parse(std::string_view path);
};

// One entry per top-level collection of every node of vendor 0x04D9 (any product), in node
// order. Nodes whose descriptor could not be read have no collections and are left out.
std::vector<HidInterfaceInfo> SynthesizeInterfaces(std::span<const HidrawNode> nodes);

}  // namespace n240qx
