#include "app/SharedOptions.h"

#include <string>
#include <utility>

namespace n240qx {

namespace {

Error Usage(std::string message) {
  return Error{ErrorCode::kInvalidArgument, std::move(message)};
}

}  // namespace

std::optional<Result<std::string_view>> OptionValue(std::span<const std::string_view> words,
                                                    std::size_t& at, std::string_view name) {
  const std::string_view word = words[at];
  std::string_view value;
  if (word.size() > name.size() && word.starts_with(name) && word[name.size()] == '=') {
    value = word.substr(name.size() + 1);
  } else if (word != name) {
    return std::nullopt;
  } else if (at + 1 < words.size()) {
    value = words[++at];
  }
  if (value.empty()) {
    return Result<std::string_view>(Usage(std::string(name) + " needs a value"));
  }
  return Result<std::string_view>(value);
}

std::optional<Status> SharedOptions::Take(std::span<const std::string_view> words,
                                          std::size_t& at) {
  const std::string_view word = words[at];
  if (word == "--help" || word == "-h") {
    help = true;
  } else if (word == "--version") {
    version = true;
  } else if (word == "--simulate") {
    simulate = true;
  } else if (word.starts_with("--simulate=")) {
    if (word.size() == std::string_view("--simulate=").size()) {
      return Status(Usage("--simulate= needs a file name after the '='"));
    }
    simulate = true;
    state_file = std::filesystem::path(std::string(word.substr(11)));
  } else {
    const std::pair<std::string_view, std::optional<std::filesystem::path>*> valued[] = {
        {"--data-dir", &data_dir}, {"--wire-log", &wire_log}};
    for (const auto& [name, field] : valued) {
      if (auto value = OptionValue(words, at, name)) {
        if (!value->ok()) {
          return Status(value->error());
        }
        *field = std::filesystem::path(std::string(**value));
        return Status::Ok();
      }
    }
    return std::nullopt;
  }
  return Status::Ok();
}

}  // namespace n240qx
