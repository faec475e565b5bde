#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "MacroTestSupport.h"
#include "macros/MacroEventList.h"
#include "macros/MacroRecordBuilder.h"
#include "macros/MacroStoreFile.h"
#include "support/TempDir.h"

namespace n240qx {
namespace {

namespace fs = std::filesystem;
using namespace macro_layout;

class MacroStoreFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = dir_.path();
    path_ = folder_ / kMacroStoreFileName;
  }

  void WriteRaw(const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  std::vector<std::uint8_t> ReadRaw() {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  static MacroStore SampleStore() {
    MacroStore store;
    for (std::size_t index = 0; index < 3; ++index) {
      MacroStoreEntry& entry = store.entry(index);
      EXPECT_TRUE(entry.SetName(u"Macro_00" + std::u16string(1, u'1' + index)).ok());
      entry.repeat_count = static_cast<std::uint16_t>(index + 1);
      entry.set_has_delay(index == 1);
      entry.key_events = testing::Buffer({0x01, 0x41, 0xFF, 0x41, 0x01, 0x2C});
      entry.device_events = testing::Buffer({0x01, 0x04, 0xFF, 0x04, 0x01, 0x2C});
    }
    store.entry(189).reserved = 0x5A;  // the very last byte of the file
    return store;
  }

  testing::TempDir dir_;
  fs::path folder_;
  fs::path path_;
};

TEST_F(MacroStoreFileTest, RoundTripIsExactly169860Bytes) {
  const MacroStore store = SampleStore();
  ASSERT_TRUE(SaveMacroStore(path_, store).ok());
  EXPECT_EQ(fs::file_size(path_), 169860u);
  const auto raw = ReadRaw();
  EXPECT_EQ(raw[kEntrySize + kRepeatCountOffset], 2);
  EXPECT_EQ(raw[kEntrySize + kFlagsOffset], 1);
  EXPECT_EQ(raw.back(), 0x5A);
  EXPECT_EQ(testing::Hex(std::span(raw).subspan(kKeyEventsOffset, 6)), "01 41 FF 41 01 2C");

  MacroStore loaded;
  ASSERT_TRUE(LoadMacroStore(path_, loaded).ok());
  EXPECT_EQ(loaded, store);
  EXPECT_EQ(loaded.UsedCount(), 3u);
  EXPECT_EQ(loaded.ToBytes(), raw);
}

TEST_F(MacroStoreFileTest, AMissingFileIsCreatedFromTheEmptyStore) {
  MacroStore store;
  ASSERT_TRUE(LoadMacroStore(path_, store).ok());
  EXPECT_EQ(fs::file_size(path_), 169860u);
  EXPECT_EQ(ReadRaw(), std::vector<std::uint8_t>(169860, 0));
  EXPECT_EQ(store.UsedCount(), 0u);
}

TEST_F(MacroStoreFileTest, AShortFileFillsWhatItHoldsAndLeavesTheRest) {
  MacroStore file_store;
  ASSERT_TRUE(file_store.entry(0).SetName(u"from file").ok());
  file_store.entry(1).repeat_count = 0x0707;
  std::vector<std::uint8_t> bytes = file_store.ToBytes();
  bytes.resize(kEntrySize + kRepeatCountOffset + 1);  // cuts entry 1 inside its repeat count
  WriteRaw(bytes);

  MacroStore store = SampleStore();
  store.entry(1).repeat_count = 0x0300;
  ASSERT_TRUE(LoadMacroStore(path_, store).ok());
  EXPECT_EQ(store.entry(0).Name(), u"from file");
  EXPECT_EQ(store.entry(0).repeat_count, 0) << "entry 0 lies wholly in the file";
  EXPECT_TRUE(store.entry(1).Name().empty());
  EXPECT_EQ(store.entry(1).repeat_count, 0x0307) << "low byte from the file, high byte kept";
  EXPECT_EQ(store.entry(1).key_events, SampleStore().entry(1).key_events);
  EXPECT_EQ(store.entry(2), SampleStore().entry(2));
  EXPECT_EQ(fs::file_size(path_), bytes.size()) << "loading never rewrites an existing file";
}

TEST_F(MacroStoreFileTest, ALongerFileGivesItsFirst169860Bytes) {
  std::vector<std::uint8_t> bytes = SampleStore().ToBytes();
  bytes.resize(169860 + 1000, 0xEE);
  WriteRaw(bytes);
  MacroStore store;
  ASSERT_TRUE(LoadMacroStore(path_, store).ok());
  EXPECT_EQ(store, SampleStore());
}

TEST_F(MacroStoreFileTest, AnUnreadableFileIsAnErrorAndChangesNothing) {
  fs::create_directories(path_);  // a folder where the file should be
  MacroStore store = SampleStore();
  const Status status = LoadMacroStore(path_, store);
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(store, SampleStore());
  EXPECT_TRUE(fs::is_directory(path_));
  EXPECT_FALSE(SaveMacroStore(path_, store).ok());
}

// Any bytes at all: names stay within their field, walks within their buffer, records within
// the image's macro field.
TEST_F(MacroStoreFileTest, ADamagedFileLoadsWithoutReadingOutOfBounds) {
  std::mt19937 random(77);
  std::uniform_int_distribution<int> byte(0, 255);
  std::vector<std::uint8_t> bytes(169860);
  for (auto& cell : bytes) {
    cell = static_cast<std::uint8_t>(byte(random) | 0x01);  // no NUL anywhere
  }
  WriteRaw(bytes);
  MacroStore store;
  ASSERT_TRUE(LoadMacroStore(path_, store).ok());
  EXPECT_EQ(store.UsedCount(), 190u);
  for (std::size_t index = 0; index < MacroStore::kEntryCount; ++index) {
    const MacroStoreEntry& entry = store.entry(index);
    ASSERT_EQ(entry.Name().size(), kNameUnits) << "an unterminated name ends with its field";
    for (const MacroEvent& event : WalkEvents(entry.key_events)) {
      ASSERT_LE(event.end(), kEventBufferSize);
    }
    const auto lines = BuildEventLines(entry.key_events, testing::TestKeyName);
    EXPECT_EQ(FindEventOffset(entry.key_events, lines.size()), EventsEnd(entry.key_events));
  }
  ConfigImage image;
  image.bytes().fill(0xAB);
  BuildMacroRecords(store, image);
  EXPECT_EQ(image.bytes()[image_field::kMacros.offset - 1], 0xAB);
  EXPECT_EQ(image.bytes()[image_field::kMacros.end()], 0xAB);
  // A damaged entry's record is not built, so its garbage never reaches the keyboard.
  std::size_t built = 0;
  for (std::size_t index = 0; index < image_field::kMacroRecordCount; ++index) {
    const auto record = image.Field(image_field::MacroRecord(index));
    const bool kept = std::ranges::all_of(record, [](std::uint8_t b) { return b == 0xAB; });
    EXPECT_EQ(!kept, store.entry(index).Decodes()) << "record " << index;
    built += kept ? 0 : 1;
  }
  EXPECT_LT(built, 4u) << "random bytes hardly ever read as a macro";
}

}  // namespace
}  // namespace n240qx
