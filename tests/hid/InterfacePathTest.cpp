#include <gtest/gtest.h>

#include "hid/InterfacePath.h"

namespace n240qx {
namespace {

TEST(InterfacePath, FormatsTheWindowsForm) {
  EXPECT_EQ(InterfacePath::Format("/dev/hidraw3", 0x04D9, 0xA124, 3, std::nullopt),
            "/dev/hidraw3#vid_04d9&pid_a124&mi_03");
  EXPECT_EQ(InterfacePath::Format("/dev/hidraw1", 0x04D9, 0xA124, 1, 4),
            "/dev/hidraw1#vid_04d9&pid_a124&mi_01&col04");
  // bInterfaceNumber is hexadecimal, and so is Windows' mi_ part.
  EXPECT_EQ(InterfacePath::Format("/dev/hidraw9", 0x04D9, 0xA126, 10, 12),
            "/dev/hidraw9#vid_04d9&pid_a126&mi_0a&col12");
  EXPECT_EQ(InterfacePath::Format("/dev/hidraw2", 0x04D9, 0xA124, std::nullopt, std::nullopt),
            "/dev/hidraw2#vid_04d9&pid_a124");
}

TEST(InterfacePath, ParsesNodeAndCollection) {
  auto with_collection = InterfacePath::Parse("/dev/hidraw1#vid_04d9&pid_a124&mi_01&col04");
  ASSERT_TRUE(with_collection.ok());
  EXPECT_EQ(with_collection->node, "/dev/hidraw1");
  EXPECT_EQ(with_collection->collection_index, 3u);

  auto single = InterfacePath::Parse("/dev/hidraw3#vid_04d9&pid_a124&mi_03");
  ASSERT_TRUE(single.ok());
  EXPECT_EQ(single->node, "/dev/hidraw3");
  EXPECT_EQ(single->collection_index, 0u);

  auto bare = InterfacePath::Parse("/dev/hidraw3");
  ASSERT_TRUE(bare.ok());
  EXPECT_EQ(bare->node, "/dev/hidraw3");
  EXPECT_EQ(bare->collection_index, 0u);

  auto formatted = InterfacePath::Parse(InterfacePath::Format("/dev/hidraw7", 1, 2, 3, 100));
  ASSERT_TRUE(formatted.ok());
  EXPECT_EQ(formatted->collection_index, 99u);
}

TEST(InterfacePath, RejectsCollectionNumbersThatCannotBe) {
  for (const char* path :
       {"/dev/hidraw1#vid_04d9&pid_a124&mi_01&col00", "/dev/hidraw1#vid_04d9&pid_a124&mi_01&colxy",
        "/dev/hidraw1#vid_04d9&pid_a124&mi_01&col",
        "/dev/hidraw1#vid_04d9&pid_a124&mi_01&col99999999999999999999"}) {
    auto parsed = InterfacePath::Parse(path);
    ASSERT_FALSE(parsed.ok()) << path;
    EXPECT_EQ(parsed.error().code, ErrorCode::kInvalidArgument);
  }
}

TEST(InterfacePath, SynthesisAddsCollectionsOnlyWhereThereAreSeveral) {
  HidrawNode single;
  single.node = "/dev/hidraw3";
  single.id = HidId{3, 0x04D9, 0xA124};
  single.interface_number = 3;
  single.collections.resize(1);
  single.permission_denied = true;
  HidrawNode several = single;
  several.node = "/dev/hidraw1";
  several.interface_number = 1;
  several.collections.resize(2);
  several.permission_denied = false;
  HidrawNode foreign = single;
  foreign.id.vendor_id = 0x046D;
  HidrawNode unreadable = single;
  unreadable.collections.clear();
  unreadable.problem = "damaged";

  const std::vector<HidrawNode> nodes = {single, foreign, several, unreadable};
  auto interfaces = SynthesizeInterfaces(nodes);
  ASSERT_EQ(interfaces.size(), 3u);
  EXPECT_EQ(interfaces[0].path, "/dev/hidraw3#vid_04d9&pid_a124&mi_03");
  EXPECT_TRUE(interfaces[0].permission_denied);
  EXPECT_EQ(interfaces[1].path, "/dev/hidraw1#vid_04d9&pid_a124&mi_01&col01");
  EXPECT_EQ(interfaces[2].path, "/dev/hidraw1#vid_04d9&pid_a124&mi_01&col02");
  EXPECT_FALSE(interfaces[2].permission_denied);
  EXPECT_EQ(interfaces[2].vendor_id, 0x04D9);
  EXPECT_EQ(interfaces[2].product_id, 0xA124);
}

}  // namespace
}  // namespace n240qx
