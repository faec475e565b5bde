#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ConnectionFixture.h"
#include "connect/DeviceConnectionFactory.h"
#include "support/TempDir.h"

namespace n240qx::testing {
namespace {

class ConnectionFactory : public ::testing::Test {
 protected:
  DeviceConnectionFactory::Choice Simulator() const {
    return {true, folder_.path() / "state.bin", folder_.path() / "wire.log", std::nullopt, false};
  }

  // Connecting alone sends nothing; the firmware read does.
  bool ConnectAndReadFirmware(DeviceConnection& connection) {
    auto connected =
        owner_.Await<Status>([&](auto done) { connection.session().Connect(std::move(done)); });
    auto firmware = owner_.Await<Result<FirmwareVersion>>(
        [&](auto done) { connection.session().ReadFirmware(std::move(done)); });
    return connected && connected->ok() && firmware && firmware->ok();
  }

  TempDir folder_;
  OwningThread owner_;
};

TEST_F(ConnectionFactory, RefusesWhatItCannotUseAndSaysWhich) {
  struct Case {
    const char* what;
    std::filesystem::path wire_log;
    bool damaged_state;
    ErrorCode code;
    std::string named;
  };
  const std::filesystem::path missing = folder_.path() / "missing" / "wire.log";
  const std::vector<Case> cases{
      {"a wire log in a folder that is not there", missing, false, ErrorCode::kIo,
       missing.string()},
      {"a damaged state file", folder_.path() / "wire.log", true, ErrorCode::kBadData,
       (folder_.path() / "state.bin").string()},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    std::filesystem::remove(folder_.path() / "state.bin");
    if (test.damaged_state) {
      std::ofstream(folder_.path() / "state.bin") << "not a keyboard's memory";
    }
    auto choice = Simulator();
    choice.wire_log = test.wire_log;
    auto factory = DeviceConnectionFactory::FromChoice(choice);
    ASSERT_FALSE(factory.ok());
    EXPECT_EQ(factory.error().code, test.code);
    EXPECT_NE(factory.error().message.find(test.named), std::string::npos)
        << factory.error().message;
  }
}

TEST_F(ConnectionFactory, EveryConnectionAddsToTheOneWireLogAndKeepsTheSimulatorsMemory) {
  auto factory = DeviceConnectionFactory::FromChoice(Simulator());
  ASSERT_TRUE(factory.ok()) << factory.error().message;
  EXPECT_FALSE((*factory)->CanFallBack()) << "the simulator needs no stand-in";
  EXPECT_FALSE((*factory)->ConnectStandIn(owner_.dispatcher, owner_.events).ok());

  auto first = (*factory)->ConnectKeyboard(owner_.dispatcher, owner_.events);
  EXPECT_TRUE(first->simulated());
  ASSERT_TRUE(ConnectAndReadFirmware(*first));
  first.reset();
  const auto logged = std::filesystem::file_size(folder_.path() / "wire.log");
  EXPECT_GT(logged, 0u);
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "state.bin"));

  auto second = (*factory)->ConnectKeyboard(owner_.dispatcher, owner_.events);
  ASSERT_TRUE(ConnectAndReadFirmware(*second));
  second.reset();
  EXPECT_GT(std::filesystem::file_size(folder_.path() / "wire.log"), logged);
}

}  // namespace
}  // namespace n240qx::testing
