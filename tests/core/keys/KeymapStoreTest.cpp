#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "keys/KeyTable.h"
#include "keys/KeymapStore.h"
#include "support/TempDir.h"
#include "util/AtomicFile.h"

namespace n240qx {
namespace {

std::vector<std::uint8_t> ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  ASSERT_TRUE(WriteFileAtomically(file, bytes).ok());
}

std::vector<std::uint8_t> Pattern(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  }
  return bytes;
}

class KeymapStoreFile : public ::testing::Test {
 protected:
  testing::TempDir dir;
  std::filesystem::path file = dir.path() / "keymap.bin";
  ConfigImage image;
  KeyActionTable table;
};

TEST_F(KeymapStoreFile, MissingFileIsCreatedFromImageAndAZeroTable) {
  image.bytes().fill(0x5A);
  table[3].kind = 4;
  const auto loaded = LoadKeymapStore(file, false, image, table);
  ASSERT_TRUE(loaded.ok()) << loaded.error().message;
  EXPECT_TRUE(loaded->created);
  const auto bytes = ReadAll(file);
  ASSERT_EQ(bytes.size(), 206920u);
  EXPECT_TRUE(std::all_of(bytes.begin(), bytes.begin() + 10060, [](auto b) { return b == 0x5A; }));
  EXPECT_TRUE(std::all_of(bytes.begin() + 10060, bytes.end(), [](auto b) { return b == 0; }));
  EXPECT_EQ(table, KeyActionTable()) << "the table in memory is cleared as well";
}

TEST_F(KeymapStoreFile, ShortFileFillsWhatItHoldsAndKeepsTheRest) {
  const auto file_bytes = Pattern(100000);
  WriteAll(file, file_bytes);
  for (auto& entry : table.Entries()) {
    entry.path.fill(u'\x7777');
    entry.count = 0x99;
  }
  const auto loaded = LoadKeymapStore(file, false, image, table);
  ASSERT_TRUE(loaded.ok());
  EXPECT_EQ(loaded->bytes_read, 100000u);
  EXPECT_TRUE(std::equal(image.bytes().begin(), image.bytes().end(), file_bytes.begin()));

  // 89,940 table bytes: entries 0-115 whole, then 388 bytes of entry 116.
  // Byte 0 of each key's entry is its own code again after the load.
  const auto table_bytes = table.Encode();
  for (std::size_t i = 0; i < 89940; ++i) {
    if (i % 772 == 0 && i / 772 < 108) {
      continue;
    }
    ASSERT_EQ(table_bytes[i], file_bytes[10060 + i]) << "table byte " << i;
  }
  EXPECT_NE(table[116].path[63], u'\x7777') << "unit 63 ends at byte 388, inside the file";
  EXPECT_EQ(table[116].path[64], u'\x7777');
  EXPECT_NE(table[116].path[0], u'\x7777');
  EXPECT_EQ(table[117].count, 0x99);
  EXPECT_EQ(table[254].path[0], u'\x7777');
}

TEST_F(KeymapStoreFile, KeyCodesAreRestoredAfterEveryRead) {
  WriteAll(file, std::vector<std::uint8_t>(206920, 0xEE));
  ASSERT_TRUE(LoadKeymapStore(file, false, image, table).ok());
  for (const auto& row : KeyTable::Rows()) {
    EXPECT_EQ(table[row.index].key_vk, row.vk) << "key " << int(row.index);
  }
  EXPECT_EQ(table[108].key_vk, 0xEE) << "entries past the keys are taken as read";
}

TEST_F(KeymapStoreFile, LongerFileReadsOnlyTheStoreSize) {
  WriteAll(file, Pattern(206920 + 5000));
  const auto loaded = LoadKeymapStore(file, false, image, table);
  ASSERT_TRUE(loaded.ok());
  EXPECT_EQ(loaded->bytes_read, 206920u);
  EXPECT_EQ(table[254].Encode()[771], Pattern(206920)[206919]);
}

TEST_F(KeymapStoreFile, SkipImageReadsOnlyTheTable) {
  WriteAll(file, Pattern(206920));
  image.bytes().fill(0x42);
  ASSERT_TRUE(LoadKeymapStore(file, true, image, table).ok());
  EXPECT_TRUE(
      std::all_of(image.bytes().begin(), image.bytes().end(), [](auto b) { return b == 0x42; }));
  EXPECT_EQ(table[200].kind, Pattern(206920)[10060 + 200 * 772 + 1]);
}

TEST_F(KeymapStoreFile, UnreadableFileIsReportedAndNotReplaced) {
  std::filesystem::create_directory(file);  // exists, but cannot be read as a file
  table[0].kind = 3;
  const auto loaded = LoadKeymapStore(file, false, image, table);
  ASSERT_FALSE(loaded.ok());
  EXPECT_NE(loaded.error().code, ErrorCode::kNotFound);
  EXPECT_TRUE(std::filesystem::is_directory(file));
  EXPECT_EQ(table[0].kind, 3);
}

TEST_F(KeymapStoreFile, SaveWritesImageThenTable) {
  image.bytes()[0] = 0x12;
  image.bytes()[10059] = 0x34;
  table[0].key_vk = 0x1B;
  table[254].path[255] = u'\xABCD';
  ASSERT_TRUE(SaveKeymapStore(file, image, table).ok());
  const auto bytes = ReadAll(file);
  ASSERT_EQ(bytes.size(), 206920u);
  EXPECT_EQ(bytes[0], 0x12);
  EXPECT_EQ(bytes[10059], 0x34);
  EXPECT_EQ(bytes[10060], 0x1B);
  EXPECT_EQ(bytes[206918], 0xCD);
  EXPECT_EQ(bytes[206919], 0xAB);

  ConfigImage image_back;
  KeyActionTable table_back;
  ASSERT_TRUE(LoadKeymapStore(file, false, image_back, table_back).ok());
  EXPECT_EQ(image_back.bytes(), image.bytes());
  EXPECT_EQ(table_back[254], table[254]);
}

TEST_F(KeymapStoreFile, SaveIntoAMissingFolderFailsCleanly) {
  const auto missing = dir.path() / "no" / "keymap.bin";
  const Status saved = SaveKeymapStore(missing, image, table);
  EXPECT_FALSE(saved.ok());
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(KeySettingsReset, EnablesEveryKeyAndClearsAssignments) {
  ConfigImage image;
  KeyActionTable table;
  table[5].kind = 6;
  table[5].SetPath(u"/tmp/x");
  table[200].count = 4;
  image.bytes()[7476] = 1;
  ResetKeySettings(image, table);
  for (const auto byte : image.key_enable_mask()) {
    EXPECT_EQ(byte, 0xFF);
  }
  EXPECT_EQ(image.bytes()[7476], 1) << "the byte before the mask is not touched";
  EXPECT_EQ(image.bytes()[7498], 0) << "the byte after the mask is not touched";
  EXPECT_EQ(table[5].kind, 0);
  EXPECT_EQ(table[5].PathString(), u"");
  EXPECT_EQ(table[5].key_vk, 0x74);
  EXPECT_EQ(table[200], KeyActionEntry());
}

}  // namespace
}  // namespace n240qx
