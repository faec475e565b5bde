#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <tuple>

#include "CliFixture.h"
#include "support/ValidProfile.h"

namespace n240qx::testing {
namespace {

// The signal, and how many of it arrive.
class SignalTest : public CliFixture, public ::testing::WithParamInterface<std::tuple<int, int>> {};

bool WriteHasBegun(const std::vector<std::string>& sent) {
  return std::ranges::any_of(sent,
                             [](const std::string& line) { return line.rfind("18 01", 0) == 0; });
}

// One signal lets a begun write finish, so keymap.bin records all of it; a second one stops it at
// the next step, closing the lighting and the bracket first.
TEST_P(SignalTest, EndingTheToolMidWriteClosesTheLightingAndTheBracketFirst) {
  const auto [signal_number, signals] = GetParam();
  // Every region differs from the keyboard's: a write of several seconds.
  const std::vector<std::uint8_t> profile = ValidProfile(10060, 0x11);
  WriteBytes(dir / "long.bin", profile);
  const pid_t apply = Start({"apply", (dir / "long.bin").string()}, "apply");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!WriteHasBegun(FeaturesIn(WireLogOf("apply"))) &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  for (int sent_signals = 0; sent_signals < signals; ++sent_signals) {
    ASSERT_EQ(::kill(apply, signal_number), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  const CliResult ended = Wait(apply, "apply");
  EXPECT_EQ(ended.exit_code, 128 + signal_number) << ended.err;
  const auto sent = FeaturesIn(WireLogOf("apply"));
  ASSERT_GE(sent.size(), 2U);
  EXPECT_EQ(sent[sent.size() - 2].substr(0, 5), "08 02") << "the closing lighting frame";
  EXPECT_EQ(sent.back().substr(0, 5), "18 00") << "the bracket closed";
  EXPECT_EQ(ended.out.starts_with("applied"), signals == 1)
      << "the write ran to its end and keymap.bin records it: " << ended.out;
  if (signals > 1) {
    EXPECT_LT(std::ranges::count_if(
                  sent, [](const std::string& line) { return line.rfind("12 ", 0) == 0; }),
              5)
        << "the write stopped early instead of running to its end";
  }
}

INSTANTIATE_TEST_SUITE_P(TermAndInt, SignalTest,
                         ::testing::Combine(::testing::Values(SIGTERM, SIGINT),
                                            ::testing::Values(1, 2)));

}  // namespace
}  // namespace n240qx::testing
