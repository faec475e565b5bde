#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "HidTestSupport.h"
#include "hid/SysfsHidScanner.h"

namespace n240qx {
namespace {

struct RuleLine {
  std::string text;
  std::multimap<std::string, std::string> matches;  // KEY=="value"
};

std::vector<RuleLine> ReadRules() {
  const auto path = std::filesystem::path(N240QX_TEST_DATA_DIR).parent_path().parent_path() /
                    "data" / "70-n240qx.rules";
  std::ifstream in(path);
  EXPECT_TRUE(in.good()) << path;
  std::vector<RuleLine> rules;
  const std::regex match_key(R"re(([A-Z]+(\{[A-Za-z_0-9]+\})?)=="([^"]*)")re");
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    RuleLine rule{line, {}};
    for (std::sregex_iterator it(line.begin(), line.end(), match_key), end; it != end; ++it) {
      rule.matches.emplace((*it)[1], (*it)[3]);
    }
    rules.push_back(std::move(rule));
  }
  return rules;
}

// Whether a rule that grants access matches a node, the way udev would see the recorded node:
// vendor and product on the USB device, the interface number taken into N240QX_INTERFACE.
bool Grants(const RuleLine& rule, const HidrawNode& node) {
  char vendor[8];
  char product[8];
  char interface[8];
  std::snprintf(vendor, sizeof(vendor), "%04x", node.id.vendor_id);
  std::snprintf(product, sizeof(product), "%04x", node.id.product_id);
  std::snprintf(interface, sizeof(interface), "%02x", node.interface_number.value_or(-1));
  const std::map<std::string, std::string> seen = {{"KERNEL", "hidraw"},
                                                   {"SUBSYSTEM", "hidraw"},
                                                   {"ATTRS{idVendor}", vendor},
                                                   {"ATTRS{idProduct}", product},
                                                   {"ENV{N240QX_INTERFACE}", interface}};
  for (const auto& [key, value] : rule.matches) {
    auto found = seen.find(key);
    if (found == seen.end()) {
      return false;
    }
    const bool glob = key == "KERNEL" && value == "hidraw*";
    if (!glob && found->second != value) {
      return false;
    }
  }
  return true;
}

TEST(UdevRule, GrantsTheConfigurationInterfacesAndNeverTheKeystrokes) {
  std::vector<RuleLine> granting;
  for (const RuleLine& rule : ReadRules()) {
    if (rule.text.find("TAG+=\"uaccess\"") != std::string::npos) {
      granting.push_back(rule);
    }
  }
  ASSERT_FALSE(granting.empty());
  SysfsHidScanner scanner(test::HidDataDir() / "sysfs-machine", "/dev",
                          [](const std::string&) { return false; });
  std::set<std::string> granted;
  for (const HidrawNode& node : scanner.Scan()) {
    for (const RuleLine& rule : granting) {
      if (Grants(rule, node)) {
        granted.insert(node.node);
      }
    }
  }
  // Command and event interface of the keyboard, interface 2 in update mode; not the boot
  // keyboards (hidraw0, hidraw4), not the mouse interface, not another vendor's device.
  EXPECT_EQ(granted, (std::set<std::string>{"/dev/hidraw1", "/dev/hidraw3", "/dev/hidraw5"}));
}

// udev matches every ATTRS of one rule on the same device; vendor and interface number live on
// different ones, so a rule that tests both can never match.
TEST(UdevRule, NoRuleMatchesAttributesOfTwoDevicesAtOnce) {
  for (const RuleLine& rule : ReadRules()) {
    const bool usb_device =
        rule.matches.count("ATTRS{idVendor}") != 0 || rule.matches.count("ATTRS{idProduct}") != 0;
    const bool usb_interface = rule.matches.count("ATTRS{bInterfaceNumber}") != 0;
    EXPECT_FALSE(usb_device && usb_interface) << rule.text;
  }
}

}  // namespace
}  // namespace n240qx
