#include "keys/HostAction.h"

#include <array>

#include "keys/LaunchTarget.h"
#include "util/Utf8.h"

namespace n240qx {

namespace {

// In the order of HostActionKind.
constexpr std::array<std::string_view, 4> kWords = {"profile", "next-profile", "previous-profile",
                                                    "lights-toggle"};

}  // namespace

std::string_view HostAction::WordOf(HostActionKind kind) {
  return kWords[static_cast<std::size_t>(kind)];
}

std::optional<HostActionKind> HostAction::KindOfWord(std::string_view word) {
  for (std::size_t i = 0; i < kWords.size(); ++i) {
    if (kWords[i] == word) {
      return static_cast<HostActionKind>(i);
    }
  }
  return std::nullopt;
}

std::span<const std::string_view> HostAction::ActionWords() {
  return kWords;
}

std::string HostAction::Words() const {
  std::string words(WordOf(kind));
  return kind == HostActionKind::kApplyProfile ? words + " " + profile : words;
}

std::u16string HostAction::Path() const {
  std::string tail(WordOf(kind));
  if (kind == HostActionKind::kApplyProfile) {
    tail += "/" + profile;
  }
  // Profile names are UTF-8 by their own rule; a word is ASCII.
  const auto units = Utf16FromUtf8(tail);
  return std::u16string(kScheme) + (units.ok() ? *units : std::u16string());
}

std::optional<HostAction> HostAction::FromPath(std::u16string_view path) {
  if (!IsHostActionPath(path)) {
    return std::nullopt;
  }
  const std::string tail = Utf8FromUtf16(path.substr(kScheme.size()));
  const std::size_t slash = tail.find('/');
  const auto kind = KindOfWord(std::string_view(tail).substr(0, slash));
  if (!kind) {
    return std::nullopt;
  }
  const bool named = *kind == HostActionKind::kApplyProfile;
  // A profile needs its name; the other actions take nothing after the word.
  if (named != (slash != std::string::npos) || (named && slash + 1 == tail.size())) {
    return std::nullopt;
  }
  return HostAction{*kind, named ? tail.substr(slash + 1) : std::string()};
}

std::optional<HostAction> HostAction::Of(const KeyActionEntry& entry) {
  return IsLaunchKind(entry.kind) ? FromPath(entry.PathString()) : std::nullopt;
}

bool IsHostActionPath(std::u16string_view path) {
  return path.starts_with(HostAction::kScheme);
}

std::optional<HostAction> FindHostAction(const KeyActionTable& table, std::uint32_t code) {
  const KeyActionEntry* entry = FindLaunchEntry(table, code);
  return entry != nullptr ? HostAction::Of(*entry) : std::nullopt;
}

}  // namespace n240qx
