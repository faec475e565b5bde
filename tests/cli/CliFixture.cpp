#include "CliFixture.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "support/ChildProcess.h"

namespace n240qx::testing {

namespace {

std::string Slurp(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

CliFixture::CliFixture() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir = std::filesystem::temp_directory_path() / ("n240qx-cli-" + std::to_string(::getpid()) + "-" +
                                                  info->test_suite_name() + "-" + info->name());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  state_file = dir / "state.bin";
  data_dir = dir / "data";
  wire_log = dir / "wire.log";
  std::filesystem::create_directories(data_dir);
}

CliFixture::~CliFixture() {
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

std::vector<std::string> CliFixture::SimulatorArguments(const std::filesystem::path& log) const {
  return {"--simulate=" + state_file.string(), "--data-dir", data_dir.string(), "--wire-log",
          log.string()};
}

CliResult CliFixture::Run(const std::vector<std::string>& arguments) {
  std::vector<std::string> all = SimulatorArguments(wire_log);
  all.insert(all.end(), arguments.begin(), arguments.end());
  return RunBare(all);
}

CliResult CliFixture::RunBare(const std::vector<std::string>& arguments) {
  return Wait(Spawn(arguments, ""));
}

std::filesystem::path CliFixture::WireLogOf(const std::string& tag) const {
  return dir / (tag + "-wire.log");
}

pid_t CliFixture::Start(const std::vector<std::string>& arguments, const std::string& tag) {
  std::vector<std::string> all = SimulatorArguments(WireLogOf(tag));
  all.insert(all.end(), arguments.begin(), arguments.end());
  return Spawn(all, tag);
}

pid_t CliFixture::Spawn(const std::vector<std::string>& arguments, const std::string& tag) {
  std::vector<std::string> words = {N240QX_CTL};
  words.insert(words.end(), arguments.begin(), arguments.end());
  return SpawnProcess(std::move(words), dir / (tag + "stdout.txt"), dir / (tag + "stderr.txt"));
}

CliResult CliFixture::Wait(pid_t pid, const std::string& tag) {
  CliResult result;
  if (pid > 0) {
    result.exit_code = WaitForProcess(pid);
  }
  result.out = Slurp(dir / (tag + "stdout.txt"));
  result.err = Slurp(dir / (tag + "stderr.txt"));
  return result;
}

std::vector<std::string> CliFixture::FeaturesIn(const std::filesystem::path& log) const {
  std::vector<std::string> sent;
  std::ifstream in(log);
  std::string line;
  constexpr std::string_view kMarker = " out feature ";
  while (std::getline(in, line)) {
    const auto at = line.find(kMarker);
    // "00 " is the report id.
    if (at != std::string::npos && line.find(" error ") == std::string::npos) {
      sent.push_back(line.substr(at + kMarker.size() + 3));
    }
  }
  return sent;
}

std::vector<std::string> CliFixture::WriteFeaturesSent() const {
  const auto sent = FeaturesSent();
  for (std::size_t i = 0; i < sent.size(); ++i) {
    if (sent[i].rfind("18 01", 0) == 0) {
      return {sent.begin() + static_cast<std::ptrdiff_t>(i), sent.end()};
    }
  }
  return {};
}

std::vector<std::uint8_t> CliFixture::ReadBytes(const std::filesystem::path& file) const {
  const std::string text = Slurp(file);
  return {text.begin(), text.end()};
}

void CliFixture::WriteBytes(const std::filesystem::path& file,
                            const std::vector<std::uint8_t>& bytes) const {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace n240qx::testing
