#include "app/StorePaths.h"

#include <utility>

namespace n240qx {

StorePaths::StorePaths(std::filesystem::path keymap_file, std::filesystem::path macro_file,
                       bool saves)
    : keymap_file_(std::move(keymap_file)), macro_file_(std::move(macro_file)), saves_(saves) {}

StorePaths StorePaths::Saved(std::filesystem::path keymap_file, std::filesystem::path macro_file) {
  return {std::move(keymap_file), std::move(macro_file), true};
}

StorePaths StorePaths::ReadOnly(std::filesystem::path keymap_file,
                                std::filesystem::path macro_file) {
  return {std::move(keymap_file), std::move(macro_file), false};
}

}  // namespace n240qx
