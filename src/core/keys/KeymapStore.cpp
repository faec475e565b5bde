#include "keys/KeymapStore.h"

#include <algorithm>

#include "util/AtomicFile.h"

namespace n240qx {

std::vector<std::uint8_t> EncodeKeymapStore(const ConfigImage& image, const KeyActionTable& table) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(kKeymapStoreSize);
  bytes.insert(bytes.end(), image.bytes().begin(), image.bytes().end());
  const auto actions = table.Encode();
  bytes.insert(bytes.end(), actions.begin(), actions.end());
  return bytes;
}

void DecodeKeymapStore(std::span<const std::uint8_t> bytes, bool skip_image, ConfigImage& image,
                       KeyActionTable& table) {
  const std::size_t image_bytes = std::min(bytes.size(), image_field::kImageSize);
  if (!skip_image) {
    std::copy_n(bytes.begin(), image_bytes, image.bytes().begin());
  }
  table.DecodePrefix(bytes.subspan(image_bytes));
}

Result<KeymapLoad> LoadKeymapStore(const std::filesystem::path& file, bool skip_image,
                                   ConfigImage& image, KeyActionTable& table, Language language) {
  auto read = ReadFilePrefix(file, kKeymapStoreSize, language);
  if (read.ok()) {
    DecodeKeymapStore(*read, skip_image, image, table);
    RestoreKeyActionKeys(table);
    return KeymapLoad{false, read->size()};
  }
  if (read.error().code != ErrorCode::kNotFound) {
    return read.error();
  }
  // The caller restores the key codes itself right after a first start.
  table.Clear();
  const Status written = SaveKeymapStore(file, image, table, language);
  if (!written.ok()) {
    return written.error();
  }
  return KeymapLoad{true, 0};
}

Status SaveKeymapStore(const std::filesystem::path& file, const ConfigImage& image,
                       const KeyActionTable& table, Language language) {
  return WriteFileAtomically(file, EncodeKeymapStore(image, table), language);
}

void ResetKeySettings(ConfigImage& image, KeyActionTable& table) {
  auto mask = image.key_enable_mask();
  std::fill(mask.begin(), mask.end(), 0xFF);
  table.Clear();
  RestoreKeyActionKeys(table);
}

}  // namespace n240qx
