#include "automation/ProcessList.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <system_error>

#include "util/AtomicFile.h"

namespace n240qx {

namespace {

// A command line longer than this is cut: the program's name comes first anyway.
constexpr std::size_t kMaxCommandLine = 64 * 1024;
constexpr std::size_t kMaxComm = 64;

std::optional<std::string> ReadText(const std::filesystem::path& file, std::size_t max_bytes) {
  auto bytes = ReadFilePrefix(file, max_bytes);
  if (!bytes.ok()) {
    return std::nullopt;
  }
  return std::string(bytes->begin(), bytes->end());
}

std::vector<std::string> SplitAtNul(const std::string& text) {
  std::vector<std::string> words;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\0', at), text.size());
    words.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

std::optional<int> PidOf(const std::string& name) {
  int pid = 0;
  const char* last = name.data() + name.size();
  const auto [end, error] = std::from_chars(name.data(), last, pid);
  if (name.empty() || error != std::errc() || end != last || pid <= 0) {
    return std::nullopt;
  }
  return pid;
}

}  // namespace

Result<std::vector<RunningProgram>> ProcessList::Read() const {
  std::error_code error;
  std::filesystem::directory_iterator entries(root_, error);
  if (error) {
    return Error{ErrorCode::kIo,
                 "cannot list the running programs in " + root_.string() + ": " + error.message()};
  }
  std::vector<RunningProgram> programs;
  for (const auto& entry : entries) {
    if (const auto pid = PidOf(entry.path().filename().string())) {
      if (auto program = ReadOne(*pid)) {
        programs.push_back(std::move(*program));
      }
    }
  }
  std::ranges::sort(programs, {}, &RunningProgram::pid);
  return programs;
}

std::optional<RunningProgram> ProcessList::ReadOne(int pid) const {
  const auto folder = root_ / std::to_string(pid);
  // Every process has a name; without one it has ended.
  auto name = ReadText(folder / "comm", kMaxComm);
  if (!name) {
    return std::nullopt;
  }
  if (!name->empty() && name->back() == '\n') {
    name->pop_back();
  }
  RunningProgram program{pid, std::move(*name), {}, {}};
  if (auto command_line = ReadText(folder / "cmdline", kMaxCommandLine)) {
    program.arguments = SplitAtNul(*command_line);
  }
  std::error_code unreadable;
  program.executable = std::filesystem::read_symlink(folder / "exe", unreadable).string();
  return program;
}

}  // namespace n240qx
