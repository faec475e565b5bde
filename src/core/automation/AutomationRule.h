#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// One rule: when its condition holds, the keyboard should hold the stored profile it names.
struct AutomationRule {
  enum class Condition {
    kProcess,      // a running program, by its file name
    kWindowClass,  // the active window's class (either part of WM_CLASS, or a Wayland app id)
    kWindowTitle,  // a part of the active window's title
  };

  static constexpr std::size_t kMaxPatternBytes = 256;

  Condition condition = Condition::kProcess;
  std::string pattern;
  std::string profile;

  // "process", "window-class", "window-title": the words of the file and of the tool.
  static std::string_view Word(Condition condition);
  static std::optional<Condition> FromWord(std::string_view word);

  // kInvalidArgument with the reason when the pattern cannot match as the user means it, or
  // the profile is no name the library takes; worded in `language`.
  Status Check(Language language = Language::kEnglish) const;

  bool operator==(const AutomationRule&) const = default;
};

}  // namespace n240qx
