#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "openrgb/SdkController.h"

namespace n240qx {

namespace sdk_request {

struct ControllerCount {};
// `protocol` is what the client asks the answer to be laid out for; none means version 0.
struct ControllerData {
  std::optional<std::uint32_t> protocol;
};
struct ProtocolVersion {
  std::uint32_t client_highest = 0;
};
struct ClientName {
  std::string name{};
};
struct UpdateLeds {
  std::vector<RgbColour> colours{};
};
struct UpdateZoneLeds {
  std::uint32_t zone = 0;
  std::vector<RgbColour> colours{};
};
struct UpdateSingleLed {
  std::uint32_t led = 0;
  RgbColour colour{};
};
struct SetCustomMode {};
// UpdateMode and SaveMode alike; `save` tells them apart.
struct UpdateMode {
  std::uint32_t mode_index = 0;
  SdkMode mode;
  bool save = false;
};

}  // namespace sdk_request

using SdkRequestKind =
    std::variant<sdk_request::ControllerCount, sdk_request::ControllerData,
                 sdk_request::ProtocolVersion, sdk_request::ClientName, sdk_request::UpdateLeds,
                 sdk_request::UpdateZoneLeds, sdk_request::UpdateSingleLed,
                 sdk_request::SetCustomMode, sdk_request::UpdateMode>;

// One request of a client, addressed to the controller at `device_index`.
struct SdkRequest {
  std::uint32_t device_index = 0;
  SdkRequestKind kind;
};

}  // namespace n240qx
