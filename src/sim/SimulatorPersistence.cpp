#include "sim/SimulatorPersistence.h"

#include <utility>

#include "sim/SimulatorStateFile.h"

namespace n240qx {

void SimulatorPersistence::SetPath(std::filesystem::path path) {
  std::lock_guard lock(mutex_);
  path_ = std::move(path);
  saved_version_.reset();
}

void SimulatorPersistence::Save(std::uint64_t version, const SimulatedMemory& memory) {
  std::lock_guard lock(mutex_);
  if (!path_ || (saved_version_ && *saved_version_ >= version)) {
    return;
  }
  const Status saved = SaveSimulatorState(*path_, memory);
  error_ = saved.ok() ? std::nullopt : std::optional<Error>(saved.error());
  saved_version_ = version;
}

std::optional<Error> SimulatorPersistence::LastError() const {
  std::lock_guard lock(mutex_);
  return error_;
}

}  // namespace n240qx
