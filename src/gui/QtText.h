#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace n240qx {

// The core's texts are UTF-8; paths are shown and handed to Qt in the locale's encoding.
QString ToQString(std::string_view text);
QString ToQString(const std::string& text);
QString ToQString(const std::filesystem::path& path);

}  // namespace n240qx
