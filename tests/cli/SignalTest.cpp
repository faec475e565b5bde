#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "CliFixture.h"
#include "support/ValidProfile.h"

namespace n240qx::testing {
namespace {

class SignalTest : public CliFixture, public ::testing::WithParamInterface<int> {};

bool WriteHasBegun(const std::vector<std::string>& sent) {
  return std::ranges::any_of(sent,
                             [](const std::string& line) { return line.rfind("18 01", 0) == 0; });
}

TEST_P(SignalTest, EndingTheToolMidWriteClosesTheLightingAndTheBracketFirst) {
  // Every region differs from the keyboard's: a write of several seconds.
  const std::vector<std::uint8_t> profile = ValidProfile(10060, 0x11);
  WriteBytes(dir / "long.bin", profile);
  const pid_t apply = Start({"apply", (dir / "long.bin").string()}, "apply");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!WriteHasBegun(FeaturesIn(WireLogOf("apply"))) &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_EQ(::kill(apply, GetParam()), 0);
  const CliResult ended = Wait(apply, "apply");
  EXPECT_EQ(ended.exit_code, 128 + GetParam()) << ended.err;
  const auto sent = FeaturesIn(WireLogOf("apply"));
  ASSERT_GE(sent.size(), 2U);
  EXPECT_EQ(sent[sent.size() - 2].substr(0, 5), "08 02") << "the closing lighting frame";
  EXPECT_EQ(sent.back().substr(0, 5), "18 00") << "the bracket closed";
  EXPECT_LT(std::ranges::count_if(
                sent, [](const std::string& line) { return line.rfind("12 ", 0) == 0; }),
            5)
      << "the write stopped early instead of running to its end";
}

INSTANTIATE_TEST_SUITE_P(TermAndInt, SignalTest, ::testing::Values(SIGTERM, SIGINT));

}  // namespace
}  // namespace n240qx::testing
