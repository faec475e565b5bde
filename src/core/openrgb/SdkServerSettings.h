#pragma once

#include <cstdint>

namespace n240qx {

struct SdkServerSettings {
  // Each colour-table write darkens the keyboard while it runs, so frames are written at most
  // this often; the latest frame in between wins.
  std::int64_t write_interval_us = 1'000'000;
};

}  // namespace n240qx
