#include "app/HostActionStep.h"

#include <algorithm>

#include "util/EscapedText.h"

namespace n240qx {

namespace {

HostActionStep Refused(TextId why, std::string profile = {}) {
  return {HostActionStep::Kind::kRefused, std::move(profile), why};
}

HostActionStep Apply(std::string profile) {
  return {HostActionStep::Kind::kApplyProfile, std::move(profile), TextId::kProfileKeyBusy};
}

}  // namespace

std::optional<std::string> HostActionStep::Neighbour(std::span<const std::string> names,
                                                     std::string_view current, int step) {
  if (names.empty()) {
    return std::nullopt;
  }
  const auto count = static_cast<std::ptrdiff_t>(names.size());
  const auto found = std::ranges::find(names, current);
  if (found == names.end()) {
    return step > 0 ? names.front() : names.back();
  }
  const std::ptrdiff_t at = ((found - names.begin()) + step % count + count) % count;
  return names[static_cast<std::size_t>(at)];
}

HostActionStep HostActionStep::Plan(const HostAction& action, const Situation& now) {
  if (action.kind == HostActionKind::kToggleLights) {
    return {Kind::kToggleLights, {}, TextId::kProfileKeyBusy};
  }
  if (now.sequence_running) {
    return Refused(TextId::kProfileKeyBusy);
  }
  if (now.dialog_open) {
    return Refused(TextId::kProfileKeyDialogOpen);
  }
  if (now.unapplied_edits) {
    return Refused(TextId::kProfileKeyUnappliedEdits);
  }
  if (action.kind == HostActionKind::kApplyProfile) {
    return std::ranges::find(now.profiles, action.profile) != now.profiles.end()
               ? Apply(action.profile)
               : Refused(TextId::kProfileKeyMissing, action.profile);
  }
  const int step = action.kind == HostActionKind::kNextProfile ? 1 : -1;
  const auto picked = Neighbour(now.profiles, now.current, step);
  return picked ? Apply(*picked) : Refused(TextId::kProfileKeyNoProfiles);
}

std::string HostActionStep::RefusalLine(const Texts& texts) const {
  std::string line(texts.Get(refusal));
  return profile.empty() ? line : line + EscapedText(profile);
}

}  // namespace n240qx
