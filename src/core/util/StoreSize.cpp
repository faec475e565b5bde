#include "util/StoreSize.h"

#include <system_error>

namespace n240qx {

std::optional<std::string> StoreSizeNote(const std::filesystem::path& file,
                                         std::size_t layout_size) {
  std::error_code error;
  const auto size = std::filesystem::file_size(file, error);
  if (error || size == layout_size) {
    return std::nullopt;
  }
  const std::string used = size < layout_size ? "only the bytes it holds were taken"
                                              : "the bytes past the layout were ignored";
  return file.string() + " is " + std::to_string(size) + " bytes, not the " +
         std::to_string(layout_size) + " bytes of its layout: " + used;
}

}  // namespace n240qx
