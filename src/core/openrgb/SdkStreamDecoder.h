#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "openrgb/SdkPacket.h"

namespace n240qx {

// Cuts one connection's byte stream into packets. Packets of ids this server does not know are
// skipped by their size without being kept; a stream that is not the SDK's, or a size beyond
// any request's, refuses the connection for good.
class SdkStreamDecoder {
 public:
  void Append(std::span<const std::uint8_t> bytes);

  // The next whole known packet, or nothing until more bytes arrive or after a refusal.
  std::optional<SdkPacket> Next();

  bool refused() const { return refusal_.has_value(); }
  // Why the stream was refused, for the log.
  const std::string& refusal() const { return *refusal_; }

 private:
  void Refuse(std::string reason);
  void DropSkipped();
  std::size_t available() const { return buffer_.size() - at_; }
  std::uint32_t U32At(std::size_t offset) const;

  std::vector<std::uint8_t> buffer_;
  std::size_t at_ = 0;
  std::uint64_t skip_ = 0;
  std::optional<std::string> refusal_;
};

}  // namespace n240qx
