#include <gtest/gtest.h>

#include <string_view>

#include "HidTestSupport.h"
#include "hid/InterfacePath.h"
#include "hid/SysfsHidScanner.h"

namespace n240qx {
namespace {

SysfsHidScanner MachineScanner(SysfsHidScanner::AccessDenied denied = [](const std::string&) {
  return false;
}) {
  return SysfsHidScanner(test::HidDataDir() / "sysfs-machine", "/dev", std::move(denied));
}

// The device search: first interface of `product` whose path holds `marker`, case-sensitive.
std::string Search(const std::vector<HidInterfaceInfo>& interfaces, std::uint16_t product,
                   std::string_view marker) {
  for (const auto& info : interfaces) {
    if (info.vendor_id == 0x04D9 && info.product_id == product &&
        info.path.find(marker) != std::string::npos) {
      return info.path;
    }
  }
  return "";
}

TEST(SysfsHidScanner, DescribesEveryNodeInNodeOrder) {
  auto nodes = MachineScanner().Scan();
  ASSERT_EQ(nodes.size(), 7u);
  const char* names[] = {"/dev/hidraw0", "/dev/hidraw1", "/dev/hidraw2", "/dev/hidraw3",
                         "/dev/hidraw4", "/dev/hidraw5", "/dev/hidraw10"};
  const int interfaces[] = {0, 1, 2, 3, 0, 2, 0};
  const std::size_t collections[] = {1, 4, 1, 1, 1, 1, 1};
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    SCOPED_TRACE(names[i]);
    EXPECT_EQ(nodes[i].node, names[i]);
    EXPECT_EQ(nodes[i].interface_number, interfaces[i]);
    EXPECT_EQ(nodes[i].collections.size(), collections[i]);
    EXPECT_TRUE(nodes[i].problem.empty()) << nodes[i].problem;
    EXPECT_EQ(nodes[i].device_number, "243:" + std::string(names[i]).substr(11));
  }
  EXPECT_EQ(nodes[3].id, (HidId{3, 0x04D9, 0xA124}));
  EXPECT_EQ(nodes[5].id, (HidId{3, 0x04D9, 0xA126}));
  EXPECT_EQ(nodes[6].id, (HidId{3, 0x046D, 0xC077}));
}

TEST(SysfsHidScanner, ListsTheKeyboardsCollectionsInTheWindowsForm) {
  auto nodes = MachineScanner().Scan();
  auto interfaces = SynthesizeInterfaces(nodes);
  std::vector<std::string> paths;
  for (const auto& info : interfaces) {
    paths.push_back(info.path);
  }
  const std::vector<std::string> expected = {
      "/dev/hidraw0#vid_04d9&pid_a124&mi_00",       "/dev/hidraw1#vid_04d9&pid_a124&mi_01&col01",
      "/dev/hidraw1#vid_04d9&pid_a124&mi_01&col02", "/dev/hidraw1#vid_04d9&pid_a124&mi_01&col03",
      "/dev/hidraw1#vid_04d9&pid_a124&mi_01&col04", "/dev/hidraw2#vid_04d9&pid_a124&mi_02",
      "/dev/hidraw3#vid_04d9&pid_a124&mi_03",       "/dev/hidraw4#vid_04d9&pid_a126&mi_00",
      "/dev/hidraw5#vid_04d9&pid_a126&mi_02",
  };
  EXPECT_EQ(paths, expected);
}

TEST(SysfsHidScanner, InterfaceMarkersFindTheCommandAndEventInterfaces) {
  auto nodes = MachineScanner().Scan();
  auto interfaces = SynthesizeInterfaces(nodes);
  EXPECT_EQ(Search(interfaces, 0xA124, "mi_03"), "/dev/hidraw3#vid_04d9&pid_a124&mi_03");
  EXPECT_EQ(Search(interfaces, 0xA124, "ol04"), "/dev/hidraw1#vid_04d9&pid_a124&mi_01&col04");
  EXPECT_EQ(Search(interfaces, 0xA126, "mi_02"), "/dev/hidraw5#vid_04d9&pid_a126&mi_02");
  EXPECT_EQ(Search(interfaces, 0xA124, "MI_03"), "");
  EXPECT_EQ(Search(interfaces, 0xA126, "mi_03"), "");
}

TEST(SysfsHidScanner, MarksNodesThisUserMayNotOpen) {
  auto nodes =
      MachineScanner([](const std::string& node) { return node == "/dev/hidraw3"; }).Scan();
  auto interfaces = SynthesizeInterfaces(nodes);
  for (const auto& info : interfaces) {
    EXPECT_EQ(info.permission_denied, info.path.starts_with("/dev/hidraw3#")) << info.path;
  }
}

TEST(SysfsHidScanner, DamagedNodesAreNamedAndLeftOut) {
  SysfsHidScanner scanner(test::HidDataDir() / "sysfs-damaged", "/dev",
                          [](const std::string&) { return false; });
  auto nodes = scanner.Scan();
  ASSERT_EQ(nodes.size(), 3u);
  EXPECT_TRUE(nodes[0].problem.empty()) << nodes[0].problem;
  EXPECT_NE(nodes[1].problem.find("Damaged report descriptor"), std::string::npos)
      << nodes[1].problem;
  EXPECT_NE(nodes[2].problem.find("HID_ID"), std::string::npos) << nodes[2].problem;
  auto interfaces = SynthesizeInterfaces(nodes);
  ASSERT_EQ(interfaces.size(), 1u);
  EXPECT_EQ(interfaces[0].path, "/dev/hidraw0#vid_04d9&pid_a124&mi_03");

  auto described = scanner.Describe("hidraw1");
  ASSERT_FALSE(described.ok());
  EXPECT_EQ(described.error().code, ErrorCode::kBadData);
}

TEST(SysfsHidScanner, DescribeTakesOnlyNodeNames) {
  auto scanner = MachineScanner();
  auto missing = scanner.Describe("hidraw99");
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.error().code, ErrorCode::kNotFound);
  for (const char* name : {"../hidraw1", "hidraw", "hidrawx", "event3", "hidraw1/.."}) {
    auto described = scanner.Describe(name);
    ASSERT_FALSE(described.ok()) << name;
    EXPECT_EQ(described.error().code, ErrorCode::kInvalidArgument) << name;
  }
}

TEST(SysfsHidScanner, MachineWithoutHidrawHasNoNodes) {
  SysfsHidScanner scanner(test::HidDataDir() / "no-such-sysfs");
  EXPECT_TRUE(scanner.Scan().empty());
}

}  // namespace
}  // namespace n240qx
