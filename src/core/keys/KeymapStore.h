#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "image/ConfigImage.h"
#include "keys/KeyActionTable.h"
#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// keymap.bin and every profile file: the image, then the key action table, no header.
inline constexpr std::size_t kKeymapStoreSize = image_field::kImageSize + KeyActionTable::kSize;

struct KeymapLoad {
  bool created = false;        // the file was missing and has been written from memory
  std::size_t bytes_read = 0;  // how much of the file was taken (at most kKeymapStoreSize)
};

std::vector<std::uint8_t> EncodeKeymapStore(const ConfigImage& image, const KeyActionTable& table);

// Takes as much as `bytes` holds (at most kKeymapStoreSize); what a short file does not reach
// keeps its previous contents. With skip_image the image part is read past and dropped.
void DecodeKeymapStore(std::span<const std::uint8_t> bytes, bool skip_image, ConfigImage& image,
                       KeyActionTable& table);

// Reads the store, then gives every key its own code back (RestoreKeyActionKeys). A missing
// file is created from the image and an all-zero table (the table in memory is cleared too).
// Any other read failure is returned and leaves image, table and file untouched, so a file
// that merely cannot be read now is never replaced. Failures are worded in `language`.
Result<KeymapLoad> LoadKeymapStore(const std::filesystem::path& file, bool skip_image,
                                   ConfigImage& image, KeyActionTable& table,
                                   Language language = Language::kEnglish);

// Writes image and table atomically; on failure the previous file stays as it was.
Status SaveKeymapStore(const std::filesystem::path& file, const ConfigImage& image,
                       const KeyActionTable& table, Language language = Language::kEnglish);

// The key settings after a factory reset: every key enabled (all 21 mask bytes 0xFF), no
// assignments, each key's own code restored.
void ResetKeySettings(ConfigImage& image, KeyActionTable& table);

}  // namespace n240qx
