#include "automation/AutomationRules.h"

#include <algorithm>
#include <span>

#include "app/ProfileLibrary.h"
#include "util/AtomicFile.h"
#include "util/JsonFields.h"
#include "util/JsonParser.h"
#include "util/JsonWriter.h"
#include "util/ResultTake.h"

namespace n240qx {

namespace {

Error AsBadData(const FieldPath& path, const Error& error) {
  return json_fields::Bad(path, error.message);
}

Result<AutomationRule> RuleFromJson(const JsonValue& value, const FieldPath& path) {
  if (Status known = json_fields::OnlyMembers(value, path, {"condition", "pattern", "profile"});
      !known.ok()) {
    return known.error();
  }
  N240QX_TAKE(condition_member, json_fields::Member(value, path, "condition"));
  N240QX_TAKE(word, json_fields::Text(**condition_member, path.Child("condition")));
  const auto condition = AutomationRule::FromWord(*word);
  if (!condition) {
    const std::string quoted = "\"" + *word + "\"";
    return json_fields::Bad(path.Child("condition"),
                            quoted + " is none of process, window-class, window-title",
                            quoted + " ist keine von process, window-class, window-title");
  }
  N240QX_TAKE(pattern_member, json_fields::Member(value, path, "pattern"));
  N240QX_TAKE(pattern, json_fields::Text(**pattern_member, path.Child("pattern")));
  N240QX_TAKE(profile_member, json_fields::Member(value, path, "profile"));
  N240QX_TAKE(profile, json_fields::Text(**profile_member, path.Child("profile")));
  AutomationRule rule{*condition, *pattern, *profile};
  if (Status valid = rule.Check(path.language()); !valid.ok()) {
    return AsBadData(path, valid.error());
  }
  return rule;
}

Status CheckVersion(const JsonValue& document, const FieldPath& root) {
  N240QX_TAKE(version_member, json_fields::Member(document, root, "version"));
  const FieldPath path = root.Child("version");
  N240QX_TAKE(version, json_fields::Integer(**version_member, path, 1, INT64_MAX));
  if (*version != AutomationRules::kVersion) {
    const std::string found = std::to_string(*version);
    const std::string known = " (" + std::to_string(AutomationRules::kVersion) + ")";
    return json_fields::Bad(path, found + " is a newer layout than this program reads" + known,
                            found + " ist ein neueres Format, als dieses Programm liest" + known);
  }
  return Status::Ok();
}

Result<std::optional<std::string>> DefaultFromJson(const JsonValue& document,
                                                   const FieldPath& root) {
  const JsonValue* member = document.Member("default");
  if (member == nullptr || std::holds_alternative<std::nullptr_t>(member->data)) {
    return std::optional<std::string>();
  }
  N240QX_TAKE(name, json_fields::Text(*member, root.Child("default")));
  if (Status valid = ProfileLibrary::CheckName(*name, root.language()); !valid.ok()) {
    return AsBadData(root.Child("default"), valid.error());
  }
  return std::optional<std::string>(*name);
}

JsonValue RuleToJson(const AutomationRule& rule) {
  return JsonValue{
      JsonValue::Object{{"condition", JsonValue{std::string(AutomationRule::Word(rule.condition))}},
                        {"pattern", JsonValue{rule.pattern}},
                        {"profile", JsonValue{rule.profile}}}};
}

}  // namespace

bool AutomationRules::HasProcessRule() const {
  return std::ranges::any_of(rules_, [](const AutomationRule& rule) {
    return rule.condition == AutomationRule::Condition::kProcess;
  });
}

Status AutomationRules::Add(AutomationRule rule) {
  if (Status valid = rule.Check(); !valid.ok()) {
    return valid;
  }
  if (rules_.size() >= kMaxRules) {
    return Error{ErrorCode::kInvalidArgument,
                 "there are " + std::to_string(kMaxRules) + " rules already; remove one first"};
  }
  rules_.push_back(std::move(rule));
  return Status::Ok();
}

Status AutomationRules::Remove(std::size_t number) {
  if (number == 0 || number > rules_.size()) {
    return Error{ErrorCode::kInvalidArgument,
                 "no rule " + std::to_string(number) + ": " +
                     (rules_.empty() ? std::string("there are no rules")
                                     : "the rules are 1-" + std::to_string(rules_.size()))};
  }
  rules_.erase(rules_.begin() + static_cast<std::ptrdiff_t>(number - 1));
  return Status::Ok();
}

Status AutomationRules::SetDefault(std::optional<std::string> profile) {
  if (profile) {
    if (Status valid = ProfileLibrary::CheckName(*profile); !valid.ok()) {
      return valid;
    }
  }
  default_profile_ = std::move(profile);
  return Status::Ok();
}

Result<AutomationRules> AutomationRules::FromText(std::string_view text, Language language) {
  N240QX_TAKE(document, JsonParser::Parse(text, language));
  const FieldPath root(language);
  if (Status known = json_fields::OnlyMembers(*document, root, {"version", "default", "rules"});
      !known.ok()) {
    return known.error();
  }
  if (Status version = CheckVersion(*document, root); !version.ok()) {
    return version.error();
  }
  AutomationRules parsed;
  N240QX_TAKE(fallback, DefaultFromJson(*document, root));
  parsed.default_profile_ = *fallback;
  N240QX_TAKE(rules_member, json_fields::Member(*document, root, "rules"));
  N240QX_TAKE(items, json_fields::ItemsUpTo(**rules_member, root.Child("rules"), kMaxRules));
  for (std::size_t index = 0; index < (*items)->size(); ++index) {
    N240QX_TAKE(rule, RuleFromJson((**items)[index], root.Child("rules").Child(index)));
    parsed.rules_.push_back(std::move(*rule));
  }
  return parsed;
}

std::string AutomationRules::ToText() const {
  JsonValue::Array rules;
  for (const AutomationRule& rule : rules_) {
    rules.push_back(RuleToJson(rule));
  }
  const JsonValue fallback = default_profile_ ? JsonValue{*default_profile_} : JsonValue{nullptr};
  JsonWriter writer;
  writer.Document(JsonValue{JsonValue::Object{{"version", JsonValue{kVersion}},
                                              {"default", fallback},
                                              {"rules", JsonValue{std::move(rules)}}}});
  return writer.text() + '\n';
}

Result<AutomationRules> AutomationRules::Load(const std::filesystem::path& file,
                                              Language language) {
  auto bytes = ReadFilePrefix(file, JsonParser::kMaxSize + 1, language);
  if (!bytes.ok()) {
    if (bytes.error().code == ErrorCode::kNotFound) {
      return AutomationRules();
    }
    return bytes.error();
  }
  auto rules = FromText(
      std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), language);
  if (!rules.ok()) {
    return Error{ErrorCode::kBadData,
                 file.string() +
                     (language == Language::kGerman ? " ist besch\u00E4digt (" : " is damaged (") +
                     rules.error().message +
                     (language == Language::kGerman
                          ? "); bitte reparieren oder entfernen, sie bleibt, wie sie ist"
                          : "); mend or remove it, it is kept as it is")};
  }
  return rules;
}

Status AutomationRules::Save(const std::filesystem::path& file) const {
  if (auto on_disk = Load(file); !on_disk.ok()) {
    return on_disk.error();
  }
  const std::string text = ToText();
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  return WriteFileAtomically(file, std::span(bytes, text.size()));
}

}  // namespace n240qx
