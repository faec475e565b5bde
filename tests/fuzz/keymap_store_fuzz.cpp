// Any keymap.bin, of any length and content, loads without reading out of bounds, and every
// path, name and launch derived from it stays inside its field.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/KeyAssignment.h"
#include "keys/FunctionTable.h"

namespace {

using namespace n240qx;

class RecordingLauncher : public Launcher {
 public:
  void Launch(const LaunchTarget& target) override {
    if (target.file.empty() || target.path.size() > KeyActionEntry::kPathUnits) {
      std::abort();
    }
    launched.push_back(target);
  }
  std::vector<LaunchTarget> launched;
};

std::filesystem::path InputFile() {
  return std::filesystem::temp_directory_path() /
         ("n240qx-keymap-fuzz-" + std::to_string(::getpid()) + ".bin");
}

std::size_t LoadAndLaunch(const std::filesystem::path& file, const std::vector<char>& bytes) {
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  ConfigImage image;
  KeyActionTable actions;
  CustomisedKeyFlags customised;
  PendingAssignment pending;
  const KeyNameTable names = BuildKeyNameTable();
  MacroStore macros;
  KeyAssignment assignment(image, actions, customised, pending, names, macros, file);
  if (!assignment.LoadKeymapStore(false).ok()) {
    return 0;
  }

  std::size_t total = 0;
  for (const auto& entry : actions.Entries()) {
    const std::u16string path = entry.PathString();
    if (path.size() > KeyActionEntry::kPathUnits) {
      std::abort();
    }
    total += path.size() + DecodeFunction(entry.data).size();
    // The names a stored Single or Combine assignment is shown with.
    for (std::size_t i = 0; i < 3; ++i) {
      total += names.KeyNameOf(entry.data[i]).size();
    }
    total += names.KeyNameOf(entry.key_vk).size();
  }
  // Every code a launch entry answers to (with fuzzed high bits, which must not matter), and
  // one that may match nothing.
  RecordingLauncher launcher;
  for (const auto& entry : actions.Entries()) {
    if (IsLaunchKind(entry.kind)) {
      const std::uint32_t code = entry.key_vk | std::uint32_t{entry.data[4]} << 8;
      total += assignment.LaunchKeyAction(code, launcher) ? 1 : 0;
    }
  }
  total += assignment.LaunchKeyAction(static_cast<std::uint32_t>(bytes.size()), launcher) ? 1 : 0;
  return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto file = InputFile();
  // The input as the whole file, and the input as the key action table behind a blank image,
  // so that short inputs reach the entries too.
  std::vector<char> whole(data, data + size);
  std::vector<char> behind_image(image_field::kImageSize, 0);
  behind_image.insert(behind_image.end(), data, data + size);
  const std::size_t total = LoadAndLaunch(file, whole) + LoadAndLaunch(file, behind_image);
  std::filesystem::remove(file);
  // Never true; it keeps the reads observable so that they are not optimised away.
  if (total == static_cast<std::size_t>(-1)) {
    std::abort();
  }
  return 0;
}
