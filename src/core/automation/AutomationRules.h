#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/AutomationRule.h"
#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// The rules in the order the user gave them (the first that matches wins), and the profile
// that comes back when none matches. Kept as rules.json in the data folder.
class AutomationRules {
 public:
  static constexpr std::int64_t kVersion = 1;
  static constexpr std::size_t kMaxRules = 200;

  const std::vector<AutomationRule>& rules() const { return rules_; }
  const std::optional<std::string>& default_profile() const { return default_profile_; }
  bool HasProcessRule() const;

  // kInvalidArgument with the reason (AutomationRule::Check, too many rules).
  Status Add(AutomationRule rule);
  // `number` counts from 1, as the list shows them; kInvalidArgument out of range.
  Status Remove(std::size_t number);
  // No name: no profile comes back when no rule matches.
  Status SetDefault(std::optional<std::string> profile);

  // The document; kBadData "PATH: reason" for anything that is not rules of this version, or
  // the parser's refusal in `language` for a text that is no JSON.
  static Result<AutomationRules> FromText(std::string_view text,
                                          Language language = Language::kEnglish);
  std::string ToText() const;

  // No file is no rules; a damaged one is kBadData naming the file, in `language` (the
  // window's) as far as the file's reading and parsing go.
  static Result<AutomationRules> Load(const std::filesystem::path& file,
                                      Language language = Language::kEnglish);
  // Written whole or not at all. A file that is there but cannot be read as rules is never
  // replaced: what the user wrote there is kept until they mend or remove it.
  Status Save(const std::filesystem::path& file) const;

  bool operator==(const AutomationRules&) const = default;

 private:
  std::vector<AutomationRule> rules_;
  std::optional<std::string> default_profile_;
};

}  // namespace n240qx
