#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "sim/SimFrames.h"
#include "sim/SimulatedLink.h"
#include "sim/SimulatorPersistence.h"
#include "sim/SimulatorStateFile.h"
#include "support/TempDir.h"
#include "support/Wait.h"
#include "util/AtomicFile.h"

namespace n240qx {
namespace {

using namespace sim_test;

SimulatedMemory DistinctMemory() {
  SimulatedMemory memory = SimulatedMemory::Factory();
  memory.firmware_major = 2;
  memory.firmware_minor = 7;
  memory.report_rate = 1;
  memory.response_time = 9;
  memory.light_effect = 52;
  memory.effect_speed = 2;
  memory.brightness = 17;
  memory.colour_choice = 4;
  memory.light_direction = 3;
  memory.game_mode = 1;
  for (std::size_t i = 0; i < memory.macros.size(); ++i) {
    memory.macros[i] = static_cast<std::uint8_t>(i * 13);
  }
  memory.key_enable_mask[1] = 0x3E;
  memory.colour_tables.back() = 0x99;
  return memory;
}

class SimulatorStateFileTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = temp_.path(); }

  testing::TempDir temp_;
  std::filesystem::path dir_;
};

TEST_F(SimulatorStateFileTest, EncodesAFixedLayoutWithHeader) {
  const auto bytes = EncodeSimulatorState(DistinctMemory());
  ASSERT_EQ(bytes.size(), kSimulatorStateFileSize);
  EXPECT_EQ(Hex(std::span(bytes).first(26)),
            "4E 32 34 30 51 58 53 4D 01 00 00 00 34 24 00 00 "
            "02 07 01 09 34 02 11 04 03 01");
}

TEST_F(SimulatorStateFileTest, RoundTripsEveryRegion) {
  const SimulatedMemory memory = DistinctMemory();
  auto decoded = DecodeSimulatorState(EncodeSimulatorState(memory));
  ASSERT_TRUE(decoded.ok()) << decoded.error().message;
  EXPECT_EQ(*decoded, memory);

  const auto path = dir_ / "state.bin";
  ASSERT_TRUE(SaveSimulatorState(path, memory).ok());
  auto loaded = LoadSimulatorState(path);
  ASSERT_TRUE(loaded.ok()) << loaded.error().message;
  EXPECT_EQ(*loaded, memory);
}

TEST_F(SimulatorStateFileTest, MissingFileStartsAtFactorySettings) {
  auto loaded = LoadSimulatorState(dir_ / "none.bin");
  ASSERT_TRUE(loaded.ok());
  EXPECT_EQ(*loaded, SimulatedMemory::Factory());
}

TEST_F(SimulatorStateFileTest, DamagedFilesAreRefusedWhole) {
  const auto good = EncodeSimulatorState(DistinctMemory());
  auto truncated = good;
  truncated.pop_back();
  auto extended = good;
  extended.push_back(0);
  auto flipped = good;
  flipped[5000] ^= 0x40;
  auto wrong_magic = good;
  wrong_magic[0] = 'X';
  auto wrong_version = good;
  wrong_version[8] = 2;
  const std::vector<std::uint8_t> empty;

  for (const auto& bytes : {truncated, extended, flipped, wrong_magic, wrong_version, empty}) {
    const auto path = dir_ / "damaged.bin";
    ASSERT_TRUE(WriteFileAtomically(path, bytes).ok());
    auto loaded = LoadSimulatorState(path);
    ASSERT_FALSE(loaded.ok()) << "accepted a file of " << bytes.size() << " bytes";
    EXPECT_EQ(loaded.error().code, ErrorCode::kBadData);
    EXPECT_NE(loaded.error().message.find("damaged.bin"), std::string::npos)
        << loaded.error().message;
  }
}

TEST_F(SimulatorStateFileTest, PersistingLinkSavesEveryChange) {
  const auto path = dir_ / "keyboard.bin";
  {
    SimulatedLink link;
    link.PersistTo(path);
    auto saved = LoadSimulatorState(path);
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(*saved, SimulatedMemory::Factory()) << "saved as soon as it is asked to";

    auto command = OpenPath(link, kCommandPath);
    ASSERT_NE(command, nullptr);
    ASSERT_TRUE(command->SendFeatureReport(Command(0x04, 8)).ok());
    link.SendLightingChange(4, 12);
    EXPECT_FALSE(link.LastPersistError().has_value());
  }
  auto loaded = LoadSimulatorState(path);
  ASSERT_TRUE(loaded.ok()) << loaded.error().message;
  EXPECT_EQ(loaded->response_time, 8);
  EXPECT_EQ(loaded->brightness, 12);

  SimulatedLink restarted(*loaded);
  EXPECT_EQ(restarted.Memory(), *loaded);
}

TEST_F(SimulatorStateFileTest, StateFileLinkStartsFromTheFileAndKeepsItCurrent) {
  const auto path = dir_ / "simulate.bin";
  {
    auto link = SimulatedLink::WithStateFile(path);
    ASSERT_TRUE(link.ok()) << link.error().message;
    EXPECT_EQ((*link)->Memory(), SimulatedMemory::Factory());
    (*link)->SendLightingChange(2, 9);
  }
  auto again = SimulatedLink::WithStateFile(path);
  ASSERT_TRUE(again.ok()) << again.error().message;
  EXPECT_EQ((*again)->Memory().light_effect, 9);

  auto bytes = EncodeSimulatorState(SimulatedMemory::Factory());
  bytes[100] ^= 1;
  ASSERT_TRUE(WriteFileAtomically(path, bytes).ok());
  auto refused = SimulatedLink::WithStateFile(path);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error().code, ErrorCode::kBadData);
  auto unchanged = ReadFilePrefix(path, bytes.size() + 1);
  ASSERT_TRUE(unchanged.ok());
  EXPECT_EQ(*unchanged, bytes) << "a refused file is left as it was";
}

// Another process pulls the simulated cable by making the plug file, and puts it back by
// removing it; a keyboard opened meanwhile starts unplugged.
TEST_F(SimulatorStateFileTest, ThePlugFileBesideTheStateFileUnplugsTheKeyboard) {
  const auto path = dir_ / "simulate.bin";
  const auto plug = SimulatorPlugFile::For(path);
  auto link = SimulatedLink::WithStateFile(path);
  ASSERT_TRUE(link.ok()) << link.error().message;
  const auto plugged = [&](bool expected) {
    return testing::WaitUntil([&] { return (*link)->IsPlugged() == expected; },
                              [] { std::this_thread::sleep_for(std::chrono::milliseconds(5)); });
  };
  std::ofstream(plug).put('\n');
  ASSERT_TRUE(plugged(false));
  auto opened = SimulatedLink::WithStateFile(path);
  ASSERT_TRUE(opened.ok()) << opened.error().message;
  EXPECT_FALSE((*opened)->IsPlugged());
  std::filesystem::remove(plug);
  EXPECT_TRUE(plugged(true));
}

TEST_F(SimulatorStateFileTest, FailedSaveIsReported) {
  SimulatedLink link;
  link.PersistTo(dir_ / "missing-folder" / "keyboard.bin");
  ASSERT_TRUE(link.LastPersistError().has_value());
  EXPECT_NE(link.LastPersistError()->message.find("keyboard.bin"), std::string::npos);
}

// Copies reach the file in whatever order the threads that made them get there; the file keeps
// the newest.
TEST_F(SimulatorStateFileTest, AnOlderCopyNeverReplacesANewerOne) {
  const auto path = dir_ / "keyboard.bin";
  SimulatorPersistence persistence;
  SimulatedMemory older = SimulatedMemory::Factory();
  SimulatedMemory newer = older;
  newer.brightness = 33;
  persistence.SetPath(path);
  persistence.Save(2, newer);
  persistence.Save(1, older);
  auto loaded = LoadSimulatorState(path);
  ASSERT_TRUE(loaded.ok()) << loaded.error().message;
  EXPECT_EQ(loaded->brightness, 33);

  persistence.SetPath(path);
  persistence.Save(1, older);
  loaded = LoadSimulatorState(path);
  ASSERT_TRUE(loaded.ok());
  EXPECT_EQ(loaded->brightness, older.brightness) << "a new path takes the next copy";
}

}  // namespace
}  // namespace n240qx
