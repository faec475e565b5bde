#include "openrgb/SdkStreamDecoder.h"

#include <algorithm>
#include <utility>

namespace n240qx {

void SdkStreamDecoder::Append(std::span<const std::uint8_t> bytes) {
  if (refused()) {
    return;
  }
  // Bytes already handed out are dropped before new ones are kept, so a long-lived
  // connection's buffer stays one packet long.
  buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(at_));
  at_ = 0;
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
  DropSkipped();
}

void SdkStreamDecoder::DropSkipped() {
  const auto dropped = static_cast<std::size_t>(std::min<std::uint64_t>(skip_, available()));
  at_ += dropped;
  skip_ -= dropped;
}

std::uint32_t SdkStreamDecoder::U32At(std::size_t offset) const {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(buffer_[at_ + offset + i]) << (8 * i);
  }
  return value;
}

void SdkStreamDecoder::Refuse(std::string reason) {
  refusal_ = std::move(reason);
  buffer_.clear();
  at_ = 0;
}

std::optional<SdkPacket> SdkStreamDecoder::Next() {
  while (!refused() && skip_ == 0 && available() >= sdk::kHeaderSize) {
    if (!std::equal(std::begin(sdk::kMagic), std::end(sdk::kMagic), buffer_.begin() + at_,
                    [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; })) {
      Refuse("a packet does not start with ORGB");
      return std::nullopt;
    }
    const std::uint32_t size = U32At(12);
    if (size > sdk::kMaxPacketSize) {
      Refuse("a packet claims " + std::to_string(size) + " bytes");
      return std::nullopt;
    }
    const std::uint32_t id = U32At(8);
    if (!sdk::IsKnownPacketId(id)) {
      at_ += sdk::kHeaderSize;
      skip_ = size;
      DropSkipped();
      continue;
    }
    if (available() < sdk::kHeaderSize + size) {
      return std::nullopt;
    }
    SdkPacket packet{U32At(4), id, {}};
    const auto begin = buffer_.begin() + static_cast<std::ptrdiff_t>(at_ + sdk::kHeaderSize);
    packet.payload.assign(begin, begin + size);
    at_ += sdk::kHeaderSize + size;
    return packet;
  }
  return std::nullopt;
}

}  // namespace n240qx
