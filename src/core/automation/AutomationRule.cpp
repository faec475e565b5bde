#include "automation/AutomationRule.h"

#include <algorithm>

#include "app/ProfileLibrary.h"

namespace n240qx {

namespace {

constexpr std::string_view kWords[] = {"process", "window-class", "window-title"};

Error Refused(const AutomationRule& rule, std::string_view english, std::string_view german,
              Language language) {
  const std::string word(AutomationRule::Word(rule.condition));
  const std::string quoted = "\"" + rule.pattern + "\": ";
  return Error{ErrorCode::kInvalidArgument,
               language == Language::kGerman ? "Regel " + word + " " + quoted + std::string(german)
                                             : word + " rule " + quoted + std::string(english)};
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

Status AutomationRule::Check(Language language) const {
  if (pattern.empty()) {
    return Error{ErrorCode::kInvalidArgument,
                 language == Language::kGerman
                     ? "Regel " + std::string(Word(condition)) + ": das Muster ist leer"
                     : std::string(Word(condition)) + " rule: the pattern is empty"};
  }
  if (pattern.size() > kMaxPatternBytes) {
    const std::string most = std::to_string(kMaxPatternBytes);
    return Refused(*this, "longer than " + most + " bytes", "l\u00E4nger als " + most + " Bytes",
                   language);
  }
  if (std::ranges::any_of(pattern, [](char c) { return c == '\n' || c == '\r'; })) {
    return Refused(*this, "a pattern is one line", "ein Muster ist eine Zeile", language);
  }
  // Programs are compared by file name, so a path would never match and only look as if it did.
  if (condition == Condition::kProcess && pattern.find_first_of("/\\") != std::string::npos) {
    return Refused(*this, "name the program's file (game.exe), not a path",
                   "die Datei des Programms nennen (game.exe), keinen Pfad", language);
  }
  return ProfileLibrary::CheckName(profile, language);
}

}  // namespace n240qx
