#include "macros/MacroStoreFile.h"

#include "util/AtomicFile.h"

namespace n240qx {

Status LoadMacroStore(const std::filesystem::path& path, MacroStore& stored, Language language) {
  auto bytes = ReadFilePrefix(path, MacroStore::kByteSize, language);
  if (!bytes) {
    if (bytes.error().code == ErrorCode::kNotFound) {
      return SaveMacroStore(path, stored, language);
    }
    return bytes.error();
  }
  stored.Fill(*bytes);
  return Status::Ok();
}

Status SaveMacroStore(const std::filesystem::path& path, const MacroStore& stored,
                      Language language) {
  return WriteFileAtomically(path, stored.ToBytes(), language);
}

}  // namespace n240qx
