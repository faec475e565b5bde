#include "util/StoreGuard.h"

namespace n240qx {

namespace {

std::string HeldLine(const std::filesystem::path& file, const std::string& reason) {
  return reason + "; " + file.filename().string() +
         " is kept as it is and not written until it is replaced";
}

}  // namespace

void StoreGuard::Hold(const std::filesystem::path& file, std::string reason) {
  held_[file] = std::move(reason);
}

void StoreGuard::Release(const std::filesystem::path& file) {
  held_.erase(file);
}

Status StoreGuard::CheckWritable(const std::filesystem::path& file) const {
  const auto found = held_.find(file);
  if (found == held_.end()) {
    return Status::Ok();
  }
  return Error{ErrorCode::kIo, HeldLine(found->first, found->second)};
}

std::string StoreGuard::Describe() const {
  std::string lines;
  for (const auto& [file, reason] : held_) {
    lines += (lines.empty() ? "" : "\n") + HeldLine(file, reason);
  }
  return lines;
}

}  // namespace n240qx
