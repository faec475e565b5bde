#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace n240qx::testing {

// A profile the keyboard takes, `size` bytes long (shorter than a whole profile is allowed):
// `fill` everywhere, with every ranged setting and key action kind brought into range by the
// fill, so that profiles made from different fills still differ in every region.
std::vector<std::uint8_t> ValidProfile(std::size_t size, std::uint8_t fill);

}  // namespace n240qx::testing
