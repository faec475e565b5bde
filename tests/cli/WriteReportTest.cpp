#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mount.h>

#include "CliFixture.h"
#include "JsonValue.h"
#include "support/ValidProfile.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;

class WriteReportTest : public CliFixture {};

// A file system of `bytes` on the data folder for as long as it lives.
class SmallFileSystem {
 public:
  SmallFileSystem(const std::filesystem::path& folder, std::size_t bytes) : folder_(folder) {
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) {
      ::umount2(folder_.c_str(), MNT_DETACH);
    }
  }
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;
  bool mounted() const { return mounted_; }

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
};

TEST_F(WriteReportTest, AFullDiskAfterTheWriteSaysTheKeyboardHoldsTheChange) {
  // Room for both stores and one backup, not for the new keymap.bin beside the old one.
  constexpr std::size_t kPage = 4096;
  SmallFileSystem small(data_dir, 170 * kPage);
  if (!small.mounted()) {
    GTEST_SKIP() << "this runner may not mount a file system; the full disk is not tried";
  }
  const CliResult set = Run({"set", "brightness", "20"});
  EXPECT_EQ(set.exit_code, 6) << set.err;
  EXPECT_THAT(set.err, HasSubstr("the keyboard now holds the change"));
  EXPECT_THAT(set.err, HasSubstr((data_dir / "keymap.bin").string() + " could not be updated"));
  const auto sent = WriteFeaturesSent();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.back().substr(0, 5), "18 00") << "the write was whole";
}

TEST_F(WriteReportTest, ApplySaysNothingChangedWhenTheKeyboardHoldsTheProfile) {
  WriteBytes(dir / "profile.bin", ValidProfile(10060, 0x21));
  const CliResult read = Run({"--json", "read"});
  ASSERT_EQ(read.exit_code, 0) << read.err;
  WriteBytes(dir / "profile.json", {read.out.begin(), read.out.end()});
  for (const char* name : {"profile.bin", "profile.json"}) {
    SCOPED_TRACE(name);
    const auto file = (dir / name).string();
    const auto size = std::to_string(std::filesystem::file_size(file));
    const CliResult first = Run({"apply", file});
    ASSERT_EQ(first.exit_code, 0) << first.err;
    const bool sent = !WriteFeaturesSent().empty();
    EXPECT_EQ(first.out.starts_with("applied"), sent) << first.out;
    const CliResult again = Run({"apply", file});
    ASSERT_EQ(again.exit_code, 0) << again.err;
    EXPECT_TRUE(WriteFeaturesSent().empty());
    EXPECT_THAT(again.out, HasSubstr("nothing changed: the keyboard holds these values already; " +
                                     file + " (" + size + " bytes)"));
    const CliResult json = Run({"--json", "apply", file});
    const auto result = ParseJson(json.out);
    ASSERT_TRUE(result) << json.out;
    EXPECT_FALSE((*result)["changed"].Bool());
  }
}

}  // namespace
}  // namespace n240qx::testing
