#include "hid/SysfsHidScanner.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <system_error>
#include <utility>

#include "hid/ReportDescriptorParser.h"
#include "util/AtomicFile.h"

namespace n240qx {

namespace {

constexpr std::string_view kNodePrefix = "hidraw";
// The kernel's own limit for a report descriptor.
constexpr std::size_t kMaxDescriptorSize = 4096;
constexpr std::size_t kMaxUeventSize = 4096;

// The node number of "hidrawN", or nullopt for any other name (which also keeps a name from
// walking out of the sysfs folder).
std::optional<unsigned> NodeNumber(std::string_view name) {
  if (!name.starts_with(kNodePrefix) || name.size() == kNodePrefix.size() ||
      name.size() > kNodePrefix.size() + 6) {
    return std::nullopt;
  }
  unsigned number = 0;
  for (char c : name.substr(kNodePrefix.size())) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    number = number * 10 + static_cast<unsigned>(c - '0');
  }
  return number;
}

std::string AsText(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// bInterfaceNumber is two hex digits and a newline.
std::optional<int> ReadInterfaceNumber(const std::filesystem::path& hid_device) {
  std::error_code error;
  const std::filesystem::path real = std::filesystem::canonical(hid_device, error);
  if (error) {
    return std::nullopt;
  }
  auto bytes = ReadFilePrefix(real.parent_path() / "bInterfaceNumber", 16);
  if (!bytes.ok()) {
    return std::nullopt;
  }
  const std::string text = AsText(*bytes);
  int number = 0;
  std::size_t digits = 0;
  for (char c : text) {
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      break;
    }
    number = number * 16 + digit;
    if (++digits > 2) {
      return std::nullopt;
    }
  }
  if (digits == 0) {
    return std::nullopt;
  }
  return number;
}

bool AccessDeniedByKernel(const std::string& node) {
  if (::access(node.c_str(), R_OK | W_OK) == 0) {
    return false;
  }
  // A node that is missing (udev has not made it yet) is no matter of permission.
  return errno == EACCES || errno == EPERM;
}

}  // namespace

SysfsHidScanner::SysfsHidScanner(std::filesystem::path sysfs_root, std::filesystem::path dev_root,
                                 AccessDenied access_denied)
    : sysfs_root_(std::move(sysfs_root)),
      dev_root_(std::move(dev_root)),
      access_denied_(access_denied ? std::move(access_denied)
                                   : AccessDenied(AccessDeniedByKernel)) {}

std::vector<HidrawNode> SysfsHidScanner::Scan() const {
  std::vector<std::pair<unsigned, std::string>> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(sysfs_root_ / "class" / "hidraw", error), end;
       !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (auto number = NodeNumber(name)) {
      names.emplace_back(*number, std::move(name));
    }
  }
  std::sort(names.begin(), names.end());
  std::vector<HidrawNode> nodes;
  for (const auto& [number, name] : names) {
    auto described = Describe(name);
    if (described.ok()) {
      nodes.push_back(std::move(described.value()));
    } else {
      HidrawNode failed;
      failed.node = (dev_root_ / name).string();
      failed.problem = described.error().message;
      nodes.push_back(std::move(failed));
    }
  }
  return nodes;
}

Result<HidrawNode> SysfsHidScanner::Describe(std::string_view name) const {
  if (!NodeNumber(name)) {
    return Error{ErrorCode::kInvalidArgument, "Not a hidraw node: " + std::string(name)};
  }
  const std::filesystem::path hidraw = sysfs_root_ / "class" / "hidraw" / name;
  const std::filesystem::path hid_device = hidraw / "device";
  HidrawNode node;
  node.node = (dev_root_ / name).string();
  auto uevent = ReadFilePrefix(hid_device / "uevent", kMaxUeventSize);
  if (!uevent.ok()) {
    return Error{
        uevent.error().code == ErrorCode::kNotFound ? ErrorCode::kNotFound : ErrorCode::kIo,
        "Cannot describe " + node.node + ": " + uevent.error().message};
  }
  auto id = HidId::FromUevent(AsText(*uevent));
  if (!id) {
    return Error{ErrorCode::kBadData, "Cannot describe " + node.node + ": no HID_ID in its uevent"};
  }
  node.id = *id;
  auto descriptor = ReadFilePrefix(hid_device / "report_descriptor", kMaxDescriptorSize);
  if (!descriptor.ok()) {
    return Error{ErrorCode::kIo,
                 "Cannot describe " + node.node + ": " + descriptor.error().message};
  }
  auto collections = ParseReportDescriptor(*descriptor);
  if (!collections.ok()) {
    return Error{ErrorCode::kBadData, node.node + ": " + collections.error().message};
  }
  node.collections = std::move(collections.value());
  node.interface_number = ReadInterfaceNumber(hid_device);
  if (auto dev = ReadFilePrefix(hidraw / "dev", 32); dev.ok()) {
    node.device_number = AsText(*dev);
    node.device_number.erase(node.device_number.find_last_not_of("\n") + 1);
  }
  node.permission_denied = access_denied_(node.node);
  return node;
}

}  // namespace n240qx
