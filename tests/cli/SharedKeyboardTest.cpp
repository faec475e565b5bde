#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CliFixture.h"
#include "JsonValue.h"
#include "support/ValidProfile.h"

namespace n240qx::testing {
namespace {

class SharedKeyboardTest : public CliFixture {};

// Each run's write, from bracket open to bracket close, whole: no report of another program's
// sequence in between.
void ExpectOneWholeWrite(const std::vector<std::string>& sent) {
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.front().substr(0, 5), "18 01");
  EXPECT_EQ(sent.back().substr(0, 5), "18 00");
}

TEST_F(SharedKeyboardTest, ApplyAndSetAtOnceTakeTurnsAndBothChangesStay) {
  // A profile holds at least the whole configuration, so whichever goes last sets the
  // brightness: the profile carries the set's value, report rate 1 of its own.
  const std::vector<std::uint8_t> profile = ValidProfile(10060, 17);
  ASSERT_EQ(profile[11], 1);
  WriteBytes(dir / "rate.bin", profile);
  ASSERT_EQ(Run({"status"}).exit_code, 0) << "the state file and the data folder exist";

  const pid_t apply = Start({"apply", (dir / "rate.bin").string()}, "apply");
  const pid_t set = Start({"set", "brightness", "17"}, "set");
  const CliResult applied = Wait(apply, "apply");
  const CliResult changed = Wait(set, "set");
  EXPECT_EQ(applied.exit_code, 0) << applied.err;
  EXPECT_EQ(changed.exit_code, 0) << changed.err;
  for (const char* tag : {"apply", "set"}) {
    const auto sent = FeaturesIn(WireLogOf(tag));
    const auto open = std::find_if(sent.begin(), sent.end(), [](const std::string& line) {
      return line.rfind("18 01", 0) == 0;
    });
    // A set that comes second finds its brightness there already and rightly sends nothing.
    if (open != sent.end() || tag == std::string_view("apply")) {
      ExpectOneWholeWrite({open, sent.end()});
    }
  }

  const CliResult read = Run({"--json", "read"});
  ASSERT_EQ(read.exit_code, 0) << read.err;
  auto image = ParseJson(read.out);
  ASSERT_TRUE(image) << read.out;
  EXPECT_EQ((*image)["report_rate"].Number(), 1) << "the profile's change was kept";
  EXPECT_EQ((*image)["brightness"].Number(), 17) << "the set's change was kept";
}

}  // namespace
}  // namespace n240qx::testing
