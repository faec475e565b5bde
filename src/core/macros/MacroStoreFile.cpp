#include "macros/MacroStoreFile.h"

#include "util/AtomicFile.h"

namespace n240qx {

Status LoadMacroStore(const std::filesystem::path& path, MacroStore& stored) {
  auto bytes = ReadFilePrefix(path, MacroStore::kByteSize);
  if (!bytes) {
    if (bytes.error().code == ErrorCode::kNotFound) {
      return SaveMacroStore(path, stored);
    }
    return bytes.error();
  }
  stored.Fill(*bytes);
  return Status::Ok();
}

Status SaveMacroStore(const std::filesystem::path& path, const MacroStore& stored) {
  return WriteFileAtomically(path, stored.ToBytes());
}

}  // namespace n240qx
