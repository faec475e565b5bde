#include "hid/InterfacePath.h"

#include <cstdio>

#include "device/KeyboardIds.h"

namespace n240qx {

namespace {

constexpr std::string_view kCollectionKey = "&col";

}  // namespace

std::string InterfacePath::Format(const std::string& node, std::uint16_t vendor_id,
                                  std::uint16_t product_id, std::optional<int> interface_number,
                                  std::optional<std::size_t> collection_number) {
  char part[16];
  std::string path = node;
  std::snprintf(part, sizeof(part), "#vid_%04x", static_cast<unsigned>(vendor_id));
  path += part;
  std::snprintf(part, sizeof(part), "&pid_%04x", static_cast<unsigned>(product_id));
  path += part;
  if (interface_number) {
    std::snprintf(part, sizeof(part), "&mi_%02x", *interface_number);
    path += part;
  }
  if (collection_number) {
    std::snprintf(part, sizeof(part), "&col%02zu", *collection_number);
    path += part;
  }
  return path;
}

Result<InterfacePath> InterfacePath::Parse(std::string_view path) {
  InterfacePath parsed;
  const std::size_t hash = path.find('#');
  parsed.node = std::string(path.substr(0, hash));
  if (hash == std::string_view::npos) {
    return parsed;
  }
  const std::string_view suffix = path.substr(hash + 1);
  const std::size_t key = suffix.find(kCollectionKey);
  if (key == std::string_view::npos) {
    return parsed;
  }
  std::string_view digits = suffix.substr(key + kCollectionKey.size());
  digits = digits.substr(0, digits.find('&'));
  std::size_t number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9' || number > 9999) {
      number = 0;
      break;
    }
    number = number * 10 + static_cast<std::size_t>(c - '0');
  }
  if (number < 1) {
    return Error{ErrorCode::kInvalidArgument,
                 "Not an interface path of this program: " + std::string(path)};
  }
  parsed.collection_index = number - 1;
  return parsed;
}

std::vector<HidInterfaceInfo> SynthesizeInterfaces(std::span<const HidrawNode> nodes) {
  std::vector<HidInterfaceInfo> interfaces;
  for (const HidrawNode& node : nodes) {
    if (node.id.vendor_id != kKeyboardVendorId) {
      continue;
    }
    const std::size_t count = node.collections.size();
    for (std::size_t i = 0; i < count; ++i) {
      HidInterfaceInfo info;
      info.path = InterfacePath::Format(
          node.node, node.id.vendor_id, node.id.product_id, node.interface_number,
          count > 1 ? std::optional<std::size_t>(i + 1) : std::nullopt);
      info.vendor_id = node.id.vendor_id;
      info.product_id = node.id.product_id;
      info.permission_denied = node.permission_denied;
      interfaces.push_back(std::move(info));
    }
  }
  return interfaces;
}

}  // namespace n240qx
