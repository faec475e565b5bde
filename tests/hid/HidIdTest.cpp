#include <gtest/gtest.h>

#include "hid/HidId.h"
#include "hid/HotplugFilter.h"

namespace n240qx {
namespace {

TEST(HidId, ReadsTheUeventForm) {
  EXPECT_EQ(HidId::FromHidIdValue("0003:000004D9:0000A124"), (HidId{3, 0x04D9, 0xA124}));
  EXPECT_EQ(HidId::FromHidIdValue("0005:0000046d:0000b01a"), (HidId{5, 0x046D, 0xB01A}));
  for (const char* bad :
       {"", "0003:000004D9", "0003:000004D9:", "0003:100004D9:0000A124", "0003:000004D9:0000A124:0",
        "0003:0000 4D9:0000A124", "0003:0000004D9:0000A124"}) {
    EXPECT_FALSE(HidId::FromHidIdValue(bad).has_value()) << bad;
  }
}

TEST(HidId, FindsTheIdLineOfAUevent) {
  EXPECT_EQ(HidId::FromUevent("DRIVER=hid-generic\nHID_ID=0003:000004D9:0000A126\nHID_NAME=x\n"),
            (HidId{3, 0x04D9, 0xA126}));
  EXPECT_FALSE(HidId::FromUevent("DRIVER=hid-generic\nXHID_ID=0003:000004D9:0000A126\n"));
  EXPECT_FALSE(HidId::FromUevent(""));
}

TEST(HidId, ReadsTheHidDeviceNameInADevicePath) {
  EXPECT_EQ(HidId::FromDevicePath("/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.3/"
                                  "0003:04D9:A124.0004/hidraw/hidraw3"),
            (HidId{3, 0x04D9, 0xA124}));
  EXPECT_EQ(HidId::FromDevicePath("/devices/virtual/misc/uhid/0003:04D9:A126.1000A/hidraw/hidraw0"),
            (HidId{3, 0x04D9, 0xA126}));
  EXPECT_FALSE(HidId::FromDevicePath("/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.3"));
  EXPECT_FALSE(HidId::FromDevicePath("/devices/platform/0003:04D9:A124/hidraw/hidraw0"));
  EXPECT_FALSE(HidId::FromDevicePath(""));
}

TEST(HotplugFilter, ReportsOnlyTheKeyboardComingAndGoing) {
  const HidId keyboard{3, 0x04D9, 0xA124};
  const HidId update_mode{3, 0x04D9, 0xA126};
  EXPECT_EQ(ClassifyHidrawEvent("add", keyboard), HotplugEvent::kArrival);
  EXPECT_EQ(ClassifyHidrawEvent("remove", keyboard), HotplugEvent::kRemoval);
  EXPECT_EQ(ClassifyHidrawEvent("add", update_mode), HotplugEvent::kArrival);
  EXPECT_EQ(ClassifyHidrawEvent("remove", update_mode), HotplugEvent::kRemoval);
  EXPECT_FALSE(ClassifyHidrawEvent("change", keyboard));
  EXPECT_FALSE(ClassifyHidrawEvent("bind", keyboard));
  EXPECT_FALSE(ClassifyHidrawEvent("", keyboard));
  EXPECT_FALSE(ClassifyHidrawEvent("add", HidId{3, 0x04D9, 0xA125}));
  EXPECT_FALSE(ClassifyHidrawEvent("remove", HidId{3, 0x046D, 0xA124}));
  EXPECT_FALSE(ClassifyHidrawEvent("remove", std::nullopt));
}

}  // namespace
}  // namespace n240qx
