#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

#include "util/Result.h"

namespace n240qx {

// The options the window and n240qx-ctl both take, read by one parser so that both word a
// mistake alike.
struct SharedOptions {
  // --simulate[=STATE]: the built-in simulator; with STATE its memory is kept in that file.
  bool simulate = false;
  std::optional<std::filesystem::path> state_file;
  std::optional<std::filesystem::path> data_dir;  // --data-dir DIR
  std::optional<std::filesystem::path> wire_log;  // --wire-log FILE
  bool help = false;                              // --help, -h
  bool version = false;                           // --version

  // Takes words[at] (and the value after it) when it is one of these options, moving `at` past
  // what it used: nullopt when the word is none of them, kInvalidArgument naming the option
  // when its value is missing.
  std::optional<Status> Take(std::span<const std::string_view> words, std::size_t& at);
};

// "--name=value" or "--name value" for an option that takes a value; `at` moves past what was
// taken. nullopt when words[at] is not that option; kInvalidArgument when the value is missing
// or empty.
std::optional<Result<std::string_view>> OptionValue(std::span<const std::string_view> words,
                                                    std::size_t& at, std::string_view name);

}  // namespace n240qx
