#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "support/Hex.h"

namespace n240qx::test {

using testing::FromHex;
using testing::Hex;

inline std::filesystem::path HidDataDir() {
  return std::filesystem::path(N240QX_TEST_DATA_DIR) / "hid";
}

}  // namespace n240qx::test
