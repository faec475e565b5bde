#include "util/StoreSize.h"

#include <cstdint>
#include <string_view>
#include <system_error>

namespace n240qx {

namespace {

std::string Sizes(const std::filesystem::path& file, std::uintmax_t size, std::size_t layout_size,
                  Language language) {
  if (language == Language::kGerman) {
    return "die Datei " + file.string() + " ist " + std::to_string(size) +
           " Bytes gro\u00DF statt der " + std::to_string(layout_size) + " Bytes ihres Formats";
  }
  return file.string() + " is " + std::to_string(size) + " bytes, not the " +
         std::to_string(layout_size) + " bytes of its layout";
}

std::string_view Taken(bool short_file, Language language) {
  if (language == Language::kGerman) {
    return short_file ? "nur die vorhandenen Bytes wurden \u00FCbernommen"
                      : "die Bytes \u00FCber das Format hinaus wurden nicht beachtet";
  }
  return short_file ? "only the bytes it holds were taken"
                    : "the bytes past the layout were ignored";
}

}  // namespace

std::optional<std::string> StoreSizeNote(const std::filesystem::path& file, std::size_t layout_size,
                                         Language language) {
  std::error_code error;
  const auto size = std::filesystem::file_size(file, error);
  if (error || size == layout_size) {
    return std::nullopt;
  }
  return Sizes(file, size, layout_size, language) + ": " +
         std::string(Taken(size < layout_size, language));
}

}  // namespace n240qx
