// Any byte stream from an SDK client, cut into reads of any sizes, is framed, parsed and
// answered without reading past a packet; every answer is a whole packet, and a refused
// stream stays refused.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "image/DeviceSnapshot.h"
#include "openrgb/SdkServer.h"
#include "openrgb/SdkStreamDecoder.h"

namespace {

using namespace n240qx;

void CheckAnswers(const std::vector<std::uint8_t>& answers) {
  SdkStreamDecoder framing;
  framing.Append(answers);
  while (framing.Next()) {
  }
  if (framing.refused()) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  // The first byte picks the read size, so that packets also arrive split.
  const std::size_t chunk = std::size_t{data[0]} + 1;
  const std::span<const std::uint8_t> stream(data + 1, size - 1);
  SdkServer server;
  const ConfigImage image;
  const auto id = server.Open();
  bool closed = false;
  for (std::size_t at = 0; at < stream.size(); at += chunk) {
    const auto part = stream.subspan(at, std::min(chunk, stream.size() - at));
    const SdkReply reply = server.Receive(id, part, SdkKeyboardView{true, image, "1.0", "fuzz"});
    if (closed && !reply.bytes.empty()) {
      std::abort();
    }
    CheckAnswers(reply.bytes);
    closed = closed || reply.close;
  }
  DeviceSnapshot held;
  if (auto frame = server.TakeFrame(held, 0); frame && frame->SameAs(held)) {
    std::abort();
  }
  return 0;
}
