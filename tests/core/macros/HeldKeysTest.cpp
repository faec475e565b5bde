#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macros/HeldKeys.h"
#include "macros/MacroEvent.h"
#include "macros/MacroLayout.h"

namespace n240qx {
namespace {

struct Press {
  bool release;
  std::uint8_t vk;
};

EventBuffer Buffer(const std::vector<Press>& presses) {
  EventBuffer buffer{};
  std::size_t at = 0;
  for (const Press& press : presses) {
    // A long delay now and then, so that the escaped form is walked too.
    const EncodedEvent event = EncodeEvent(press.release, at % 3 == 0 ? 500 : 1, press.vk);
    std::copy_n(event.bytes.begin(), event.length, buffer.begin() + static_cast<long>(at));
    at += event.length;
  }
  return buffer;
}

TEST(HeldKeys, KeysPressedAndNeverReleasedAreNamedInTheOrderTheyWentDown) {
  constexpr std::uint8_t kQ = 0x51;
  constexpr std::uint8_t kCtrl = 0xA2;
  constexpr std::uint8_t kShift = 0xA0;
  const struct {
    std::vector<Press> presses;
    std::vector<std::uint8_t> held;
  } kCases[] = {
      {{}, {}},
      {{{false, kQ}, {true, kQ}}, {}},
      {{{false, kQ}}, {kQ}},
      {{{false, kCtrl}, {false, kQ}, {true, kQ}}, {kCtrl}},
      {{{false, kShift}, {false, kCtrl}, {true, kShift}, {false, kQ}}, {kCtrl, kQ}},
      {{{true, kQ}}, {}},                              // a release alone holds nothing
      {{{false, kQ}, {false, kQ}, {true, kQ}}, {}},    // a repeated press is one key down
      {{{false, kQ}, {true, kQ}, {false, kQ}}, {kQ}},  // pressed again at the end
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(KeysHeldAtEnd(Buffer(c.presses)), c.held) << c.presses.size() << " presses";
  }
}

}  // namespace
}  // namespace n240qx
