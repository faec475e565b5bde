#include "util/StoreGuard.h"

namespace n240qx {

namespace {

std::string HeldLine(const std::filesystem::path& file, const std::string& reason,
                     Language language) {
  const std::string name = file.filename().string();
  if (language == Language::kGerman) {
    return reason + "; die Datei " + name +
           " bleibt unver\u00E4ndert und wird erst wieder geschrieben, wenn sie ersetzt wird";
  }
  return reason + "; " + name + " is kept as it is and not written until it is replaced";
}

}  // namespace

void StoreGuard::Hold(const std::filesystem::path& file, const std::string& reason,
                      Language language) {
  held_[file] = HeldLine(file, reason, language);
}

void StoreGuard::Release(const std::filesystem::path& file) {
  held_.erase(file);
}

Status StoreGuard::CheckWritable(const std::filesystem::path& file) const {
  const auto found = held_.find(file);
  if (found == held_.end()) {
    return Status::Ok();
  }
  return Error{ErrorCode::kIo, found->second};
}

std::string StoreGuard::Describe() const {
  std::string lines;
  for (const auto& [file, line] : held_) {
    lines += (lines.empty() ? "" : "\n") + line;
  }
  return lines;
}

}  // namespace n240qx
