#include "gui/QtText.h"

namespace n240qx {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString ToQString(const std::string& text) {
  return ToQString(std::string_view(text));
}

QString ToQString(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

}  // namespace n240qx
