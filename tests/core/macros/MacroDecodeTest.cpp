#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "macros/MacroRecordBuilder.h"
#include "macros/MacroStore.h"

namespace n240qx {
namespace {

// Each damage alone makes an entry's record stay as the keyboard had it; a sound entry is built.
TEST(MacroDecode, OnlyEntriesThatDecodeBecomeRecords) {
  struct Case {
    std::string what;
    std::function<void(MacroStoreEntry&)> damage;
    bool decodes;
  };
  const Case kCases[] = {
      {"sound, with a delay", [](MacroStoreEntry& e) { e.set_has_delay(true); }, true},
      {"repeat 999", [](MacroStoreEntry& e) { e.repeat_count = 999; }, true},
      {"events to the very end",
       [](MacroStoreEntry& e) { std::ranges::fill(e.device_events, 0x04); }, true},
      {"repeat 1000", [](MacroStoreEntry& e) { e.repeat_count = 1000; }, false},
      {"an unknown flag", [](MacroStoreEntry& e) { e.flags = 0x81; }, false},
      {"an event cut off by the end",
       [](MacroStoreEntry& e) {
         std::ranges::fill(e.device_events, 0x04);
         e.device_events[188] = 0x7F;  // a four-byte event two bytes before the end
       },
       false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    MacroStore store;
    MacroStoreEntry& entry = store.entry(0);
    ASSERT_TRUE(entry.SetName(u"m").ok());
    entry.repeat_count = 2;
    entry.device_events[0] = 0x01;
    entry.device_events[1] = 0x04;
    c.damage(entry);
    EXPECT_EQ(entry.Decodes(), c.decodes);
    ConfigImage image;
    image.macros()[0] = 0xEE;
    BuildMacroRecords(store, image);
    EXPECT_EQ(image.Field(image_field::MacroRecord(0))[0] != 0xEE, c.decodes);
  }
}

}  // namespace
}  // namespace n240qx
