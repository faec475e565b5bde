#include "app/EditStep.h"

#include <algorithm>

namespace n240qx {

namespace {

// Only bytes still holding `expected` take `wanted`.
void PutBytes(std::span<std::uint8_t> bytes, std::span<const std::uint8_t> expected,
              std::span<const std::uint8_t> wanted) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == expected[i]) {
      bytes[i] = wanted[i];
    }
  }
}

}  // namespace

EditStep EditStep::Between(const ConfigImage& from_image, const KeyActionTable& from_actions,
                           const ConfigImage& to_image, const KeyActionTable& to_actions) {
  EditStep step;
  step.AddRuns(from_image.bytes(), to_image.bytes(), 0);
  for (std::size_t i = 0; i < KeyActionTable::kEntryCount; ++i) {
    // Most entries are equal; only those that differ are laid out as bytes.
    if (from_actions[i] != to_actions[i]) {
      step.AddRuns(from_actions[i].Encode(), to_actions[i].Encode(),
                   kActionsOffset + i * KeyActionEntry::kSize);
    }
  }
  return step;
}

void EditStep::AddRuns(std::span<const std::uint8_t> from, std::span<const std::uint8_t> to,
                       std::size_t base) {
  std::size_t i = 0;
  while (i < from.size()) {
    if (from[i] == to[i]) {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < from.size() && from[i] != to[i]) {
      ++i;
    }
    const auto before = from.subspan(start, i - start);
    const auto after = to.subspan(start, i - start);
    runs_.push_back({base + start, {before.begin(), before.end()}, {after.begin(), after.end()}});
  }
}

std::size_t EditStep::size() const {
  std::size_t bytes = 0;
  for (const Run& run : runs_) {
    bytes += run.before.size() + run.after.size();
  }
  return bytes;
}

bool EditStep::Touches(ImageField field) const {
  return std::ranges::any_of(runs_, [&](const Run& run) {
    return run.offset < field.end() && field.offset < run.offset + run.before.size();
  });
}

bool EditStep::TouchesKeyActions() const {
  return std::ranges::any_of(runs_, [](const Run& run) { return run.offset >= kActionsOffset; });
}

void EditStep::Revert(ConfigImage& image, KeyActionTable& actions) const {
  Put(false, image, actions);
}

void EditStep::Replay(ConfigImage& image, KeyActionTable& actions) const {
  Put(true, image, actions);
}

void EditStep::Put(bool forward, ConfigImage& image, KeyActionTable& actions) const {
  for (const Run& run : runs_) {
    const std::vector<std::uint8_t>& expected = forward ? run.before : run.after;
    const std::vector<std::uint8_t>& wanted = forward ? run.after : run.before;
    if (run.offset < kActionsOffset) {
      PutBytes(std::span(image.bytes()).subspan(run.offset, wanted.size()), expected, wanted);
      continue;
    }
    // Runs never cross an entry: the table is compared entry by entry.
    const std::size_t at = run.offset - kActionsOffset;
    const std::size_t entry = at / KeyActionEntry::kSize;
    auto bytes = actions[entry].Encode();
    PutBytes(std::span(bytes).subspan(at % KeyActionEntry::kSize, wanted.size()), expected, wanted);
    actions[entry] = KeyActionEntry::Decode(bytes);
  }
}

}  // namespace n240qx
