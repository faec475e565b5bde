#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "HidTestSupport.h"
#include "hid/HidapiError.h"
#include "hid/HidapiLink.h"

namespace n240qx {
namespace {

namespace fs = std::filesystem;

// A node that answers every read with one event report.
class EventNode final : public RawHidHandle {
 public:
  RawHidResult SendFeature(std::span<const std::uint8_t>) override { return {-1, EPIPE}; }
  RawHidResult GetFeature(std::span<std::uint8_t>) override { return {-1, EPIPE}; }
  RawHidResult Write(std::span<const std::uint8_t>) override { return {-1, EPIPE}; }
  RawHidResult Read(std::span<std::uint8_t> buffer, int) override {
    const std::uint8_t report[] = {0x04, 0x02, 0x15, 0x01};
    std::copy(std::begin(report), std::end(report), buffer.begin());
    return {4, 0};
  }
  std::string LastError() override { return ""; }
};

// A copy of the recorded machine with its own /dev: hidraw1 and hidraw3 stand for character
// devices (links to /dev/null, whose number sysfs is made to give), hidraw2 is a plain file.
class HidapiLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("n240qx-link-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "dev");
    fs::copy(test::HidDataDir() / "sysfs-machine", root_ / "sys",
             fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    struct stat null_info {};
    ASSERT_EQ(::stat("/dev/null", &null_info), 0);
    const std::string null_number = std::to_string(major(null_info.st_rdev)) + ":" +
                                    std::to_string(minor(null_info.st_rdev)) + "\n";
    for (const char* name : {"hidraw1", "hidraw3"}) {
      fs::create_symlink("/dev/null", root_ / "dev" / name);
      std::ofstream(root_ / "sys" / "class" / "hidraw" / name / "dev") << null_number;
    }
    std::ofstream(root_ / "dev" / "hidraw2") << "plain";
  }
  void TearDown() override { fs::remove_all(root_); }

  HidapiLink MakeLink() {
    return HidapiLink(SysfsHidScanner(root_ / "sys", root_ / "dev"),
                      [this](const std::string& node) -> Result<std::unique_ptr<RawHidHandle>> {
                        opened_.push_back(node);
                        return std::unique_ptr<RawHidHandle>(std::make_unique<EventNode>());
                      });
  }
  std::string Node(const char* name) const { return (root_ / "dev" / name).string(); }

  fs::path root_;
  std::vector<std::string> opened_;
};

TEST_F(HidapiLinkTest, OpensTheEventCollectionAndFramesItsReports) {
  HidapiLink link = MakeLink();
  const std::string path = Node("hidraw1") + "#vid_04d9&pid_a124&mi_01&col04";
  bool listed = false;
  for (const auto& info : link.EnumerateInterfaces()) {
    listed = listed || info.path == path;
  }
  EXPECT_TRUE(listed);
  auto device = link.Open(path);
  ASSERT_TRUE(device.ok()) << device.error().message;
  EXPECT_EQ(opened_, std::vector<std::string>{Node("hidraw1")});
  std::array<std::uint8_t, 4> report{};
  auto got = (*device)->ReadReport(report, 200);
  ASSERT_TRUE(got.ok());
  EXPECT_EQ(test::Hex(report), "04 02 15 01");
}

TEST_F(HidapiLinkTest, RemembersWhichCollectionWasOpened) {
  HidapiLink link = MakeLink();
  // The consumer-control collection: the node's event reports (id 4) are not its own.
  auto device = link.Open(Node("hidraw1") + "#vid_04d9&pid_a124&mi_01&col02");
  ASSERT_TRUE(device.ok()) << device.error().message;
  std::array<std::uint8_t, 4> report{};
  auto got = (*device)->ReadReport(report, 20);
  ASSERT_TRUE(got.ok());
  EXPECT_EQ(*got, 0u);
}

TEST_F(HidapiLinkTest, RefusesWhatIsNotTheDescribedNode) {
  HidapiLink link = MakeLink();
  struct Case {
    std::string path;
    ErrorCode code;
  };
  const Case cases[] = {
      // A plain file where the node should be: hidapi would crash on it.
      {Node("hidraw2") + "#vid_04d9&pid_a124&mi_02", ErrorCode::kNotFound},
      // No node at all in /dev yet.
      {Node("hidraw0") + "#vid_04d9&pid_a124&mi_00", ErrorCode::kNotFound},
      // Gone from sysfs.
      {Node("hidraw7") + "#vid_04d9&pid_a124&mi_03", ErrorCode::kNotFound},
      // A collection the interface does not have.
      {Node("hidraw1") + "#vid_04d9&pid_a124&mi_01&col05", ErrorCode::kNotFound},
      // The right name in the wrong folder.
      {"/tmp/hidraw3#vid_04d9&pid_a124&mi_03", ErrorCode::kInvalidArgument},
      {Node("hidraw3") + "/../hidraw3#vid_04d9&pid_a124&mi_03", ErrorCode::kInvalidArgument},
      {Node("hidraw1") + "#vid_04d9&pid_a124&mi_01&col00", ErrorCode::kInvalidArgument},
  };
  for (const Case& c : cases) {
    auto device = link.Open(c.path);
    ASSERT_FALSE(device.ok()) << c.path;
    EXPECT_EQ(device.error().code, c.code) << c.path << ": " << device.error().message;
  }
  EXPECT_TRUE(opened_.empty());
}

TEST(HidapiError, NamesTheUdevRuleWhenPermissionIsDenied) {
  for (int error_number : {EACCES, EPERM}) {
    const Error error = HidErrorFromErrno(error_number, "/dev/hidraw3", HidStage::kOpen, "x");
    EXPECT_EQ(error.code, ErrorCode::kPermissionDenied);
    EXPECT_EQ(error.message,
              "Permission denied on /dev/hidraw3: install the udev rule, see README");
  }
}

TEST(HidapiError, VanishedNodeIsNotFoundAtOpenAndDisconnectedLater) {
  for (int error_number : {ENOENT, ENODEV}) {
    EXPECT_EQ(HidErrorFromErrno(error_number, "/dev/hidraw3", HidStage::kOpen, "").code,
              ErrorCode::kNotFound);
    EXPECT_EQ(HidErrorFromErrno(error_number, "/dev/hidraw3", HidStage::kTransfer, "").code,
              ErrorCode::kDisconnected);
  }
  const Error other = HidErrorFromErrno(EPIPE, "/dev/hidraw3", HidStage::kTransfer, "broken");
  EXPECT_EQ(other.code, ErrorCode::kIo);
  EXPECT_EQ(other.message, "Transfer failed on /dev/hidraw3: broken");
}

TEST(HidapiError, WideTextBecomesUtf8) {
  EXPECT_EQ(NarrowHidapiText(L"ioctl: Gerät \u20AC \U0001F600"),
            "ioctl: Ger\xC3\xA4t \xE2\x82\xAC \xF0\x9F\x98\x80");
  EXPECT_EQ(NarrowHidapiText(nullptr), "");
}

}  // namespace
}  // namespace n240qx
