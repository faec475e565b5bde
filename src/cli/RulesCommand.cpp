#include <charconv>
#include <functional>
#include <iostream>
#include <system_error>

#include "app/ProfileLibrary.h"
#include "automation/AutomationRules.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"

namespace n240qx {

namespace {

constexpr const char* kUse =
    "use: rules list | add PROFILE (--process NAME | --window-class CLASS | --window-title "
    "TEXT) | remove N | default PROFILE";

ExitCode Failed(CliSession& session, const Error& error) {
  return session.Fail(ExitCodeForFileEdit(error), error.message);
}

void PrintJson(const AutomationRules& rules) {
  JsonWriter json;
  json.BeginObject();
  json.Key("default");
  rules.default_profile() ? json.String(*rules.default_profile()) : json.Null();
  json.Key("rules");
  json.BeginArray();
  for (std::size_t index = 0; index < rules.rules().size(); ++index) {
    const AutomationRule& rule = rules.rules()[index];
    json.BeginObject();
    json.Key("number");
    json.Number(static_cast<std::int64_t>(index + 1));
    json.Key("condition");
    json.String(AutomationRule::Word(rule.condition));
    json.Key("pattern");
    json.String(rule.pattern);
    json.Key("profile");
    json.String(rule.profile);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  std::cout << json.text() << '\n';
}

// By number, as remove takes them; the first that holds wins, so the order is the point.
void PrintText(const AutomationRules& rules) {
  if (rules.rules().empty()) {
    std::cout << "no rules\n";
  } else {
    TextTable table({"N", "condition", "pattern", "profile"});
    for (std::size_t index = 0; index < rules.rules().size(); ++index) {
      const AutomationRule& rule = rules.rules()[index];
      table.Add({std::to_string(index + 1), std::string(AutomationRule::Word(rule.condition)),
                 rule.pattern, rule.profile});
    }
    table.Print(std::cout);
  }
  std::cout << "default: " << rules.default_profile().value_or("none (the profile stays)") << '\n';
}

// A rule may only name a profile the library has, and the refusal says which it has.
Status CheckInLibrary(const CliSession& session, const std::string& profile) {
  const ProfileLibrary library(session.paths().LibraryFolder());
  Status existing = library.CheckExisting(profile);
  if (existing.ok() || existing.error().code != ErrorCode::kNotFound) {
    return existing;
  }
  const auto names = library.Names();
  std::string known;
  for (const std::string& name : names.ok() ? *names : std::vector<std::string>()) {
    known += (known.empty() ? "" : ", ") + name;
  }
  return Error{ErrorCode::kNotFound,
               existing.error().message +
                   (known.empty() ? "; there are none yet: n240qx-ctl profiles save NAME"
                                  : "; the profiles are: " + known)};
}

// PROFILE and one condition option with its pattern, in either order.
Result<AutomationRule> RuleFromWords(const std::vector<std::string>& words) {
  AutomationRule rule;
  bool has_condition = false;
  bool has_profile = false;
  for (std::size_t at = 1; at < words.size(); ++at) {
    const std::string& word = words[at];
    const auto condition = word.starts_with("--") ? AutomationRule::FromWord(word.substr(2))
                                                  : std::optional<AutomationRule::Condition>();
    if (condition && !has_condition && at + 1 < words.size()) {
      rule.condition = *condition;
      rule.pattern = words[++at];
      has_condition = true;
    } else if (!condition && !has_profile) {
      rule.profile = word;
      has_profile = true;
    } else {
      return Error{ErrorCode::kInvalidArgument, kUse};
    }
  }
  if (!has_condition || !has_profile) {
    return Error{ErrorCode::kInvalidArgument, kUse};
  }
  return rule;
}

Result<std::size_t> RuleNumber(const std::string& word) {
  std::size_t number = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
  if (word.empty() || error != std::errc() || end != word.data() + word.size()) {
    return Error{ErrorCode::kInvalidArgument,
                 "\"" + word + "\" is no rule number; rules list shows them"};
  }
  return number;
}

// The change `edit` makes, read, made and saved under the data folder's lock, so that two
// commands at once each keep the other's rule.
ExitCode Edit(CliSession& session, const std::function<Status(AutomationRules&)>& edit,
              const std::string& done) {
  if (ExitCode locked = session.LockDataFolderToWrite(); locked != ExitCode::kOk) {
    return locked;
  }
  auto rules = AutomationRules::Load(session.paths().RulesFile());
  if (!rules.ok()) {
    return Failed(session, rules.error());
  }
  if (Status edited = edit(*rules); !edited.ok()) {
    return Failed(session, edited.error());
  }
  if (Status saved = rules->Save(session.paths().RulesFile()); !saved.ok()) {
    return Failed(session, saved.error());
  }
  if (!session.json()) {
    std::cout << done << '\n';
  }
  return ExitCode::kOk;
}

ExitCode List(CliSession& session) {
  const auto rules = AutomationRules::Load(session.paths().RulesFile());
  if (!rules.ok()) {
    return Failed(session, rules.error());
  }
  session.json() ? PrintJson(*rules) : PrintText(*rules);
  return ExitCode::kOk;
}

ExitCode Add(CliSession& session, const std::vector<std::string>& words) {
  auto rule = RuleFromWords(words);
  if (!rule.ok()) {
    return Failed(session, rule.error());
  }
  if (Status valid = rule->Check(); !valid.ok()) {
    return Failed(session, valid.error());
  }
  if (Status known = CheckInLibrary(session, rule->profile); !known.ok()) {
    return Failed(session, known.error());
  }
  return Edit(
      session, [&](AutomationRules& rules) { return rules.Add(*rule); },
      "added rule " + std::string(AutomationRule::Word(rule->condition)) + " " + rule->pattern +
          " -> " + rule->profile);
}

ExitCode Remove(CliSession& session, const std::string& word) {
  const auto number = RuleNumber(word);
  if (!number.ok()) {
    return Failed(session, number.error());
  }
  return Edit(
      session, [&](AutomationRules& rules) { return rules.Remove(*number); },
      "removed rule " + word);
}

ExitCode Default(CliSession& session, const std::string& profile) {
  if (Status known = CheckInLibrary(session, profile); !known.ok()) {
    return Failed(session, known.error());
  }
  return Edit(
      session, [&](AutomationRules& rules) { return rules.SetDefault(profile); },
      "default profile " + profile);
}

}  // namespace

// The rules that pick a profile of the library when a program runs or a window is in front;
// the window loads what they pick. Nothing here touches the keyboard.
ExitCode RunRulesCommand(CliSession& session, const CliArguments& arguments) {
  const auto& words = arguments.words;
  const std::string verb = words.empty() ? std::string() : words[0];
  if (words.size() == 1 && verb == "list") {
    return List(session);
  }
  if (verb == "add") {
    return Add(session, words);
  }
  if (words.size() == 2 && verb == "remove") {
    return Remove(session, words[1]);
  }
  if (words.size() == 2 && verb == "default") {
    return Default(session, words[1]);
  }
  return session.Fail(ExitCode::kUsage, kUse);
}

}  // namespace n240qx
