#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>

#include "sim/SimulatedMemory.h"
#include "util/Result.h"

namespace n240qx {

// The state file the simulated keyboard's memory is kept in (--simulate=STATE). The hub hands
// it numbered copies of its memory after releasing its own lock, so a slow disk never holds up
// a transfer; a copy older than the one already saved is dropped, so the file never goes back.
class SimulatorPersistence {
 public:
  // From now on memory goes to `path`; the next Save writes whatever its number.
  void SetPath(std::filesystem::path path);
  void Save(std::uint64_t version, const SimulatedMemory& memory);
  std::optional<Error> LastError() const;

 private:
  mutable std::mutex mutex_;
  std::optional<std::filesystem::path> path_;
  std::optional<std::uint64_t> saved_version_;
  std::optional<Error> error_;
};

}  // namespace n240qx
