#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace n240qx::testing {

struct CliResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// Runs n240qx-ctl as a process, as a user would, on a simulated keyboard whose memory lives in
// a temporary STATE file, with a temporary data folder and a wire log.
class CliFixture : public ::testing::Test {
 protected:
  CliFixture();
  ~CliFixture() override;

  // With the simulator, the data folder and a fresh wire log; standard input is empty.
  CliResult Run(const std::vector<std::string>& arguments);
  // Exactly these arguments.
  CliResult RunBare(const std::vector<std::string>& arguments);
  // Like Run, without waiting: its output files and wire log are named after `tag`, so that
  // several runs can go at once. Wait collects it.
  pid_t Start(const std::vector<std::string>& arguments, const std::string& tag);
  CliResult Wait(pid_t pid, const std::string& tag = "");
  std::filesystem::path WireLogOf(const std::string& tag) const;

  // The feature reports the last run sent, as hex lines ("18 01 00 00 00 00 00 E6"); or
  // those of the run started with `tag`.
  std::vector<std::string> FeaturesSent() const { return FeaturesIn(wire_log); }
  std::vector<std::string> FeaturesIn(const std::filesystem::path& log) const;
  // The same, from the first bracket-open on: the write of changes.
  std::vector<std::string> WriteFeaturesSent() const;

  std::vector<std::string> SimulatorArguments(const std::filesystem::path& log) const;
  pid_t Spawn(const std::vector<std::string>& arguments, const std::string& tag);

  std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file) const;
  void WriteBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) const;

  std::filesystem::path dir;
  std::filesystem::path state_file;
  std::filesystem::path data_dir;
  std::filesystem::path wire_log;
};

}  // namespace n240qx::testing
