#include "automation/AutomationRule.h"

#include <algorithm>

#include "app/ProfileLibrary.h"

namespace n240qx {

namespace {

constexpr std::string_view kWords[] = {"process", "window-class", "window-title"};

Error Refused(const AutomationRule& rule, std::string_view why) {
  return Error{ErrorCode::kInvalidArgument, std::string(AutomationRule::Word(rule.condition)) +
                                                " rule \"" + rule.pattern +
                                                "\": " + std::string(why)};
}

}  // namespace

std::string_view AutomationRule::Word(Condition condition) {
  return kWords[static_cast<std::size_t>(condition)];
}

std::optional<AutomationRule::Condition> AutomationRule::FromWord(std::string_view word) {
  const auto* found = std::find(std::begin(kWords), std::end(kWords), word);
  if (found == std::end(kWords)) {
    return std::nullopt;
  }
  return static_cast<Condition>(found - std::begin(kWords));
}

Status AutomationRule::Check() const {
  if (pattern.empty()) {
    return Error{ErrorCode::kInvalidArgument,
                 std::string(Word(condition)) + " rule: the pattern is empty"};
  }
  if (pattern.size() > kMaxPatternBytes) {
    return Refused(*this, "longer than " + std::to_string(kMaxPatternBytes) + " bytes");
  }
  if (std::ranges::any_of(pattern, [](char c) { return c == '\n' || c == '\r'; })) {
    return Refused(*this, "a pattern is one line");
  }
  // Programs are compared by file name, so a path would never match and only look as if it did.
  if (condition == Condition::kProcess && pattern.find_first_of("/\\") != std::string::npos) {
    return Refused(*this, "name the program's file (game.exe), not a path");
  }
  return ProfileLibrary::CheckName(profile);
}

}  // namespace n240qx
