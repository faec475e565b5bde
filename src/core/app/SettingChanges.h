#pragma once

#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "image/ConfigImage.h"
#include "util/Result.h"

namespace n240qx {

// One change of `set`, ready to be made on the image.
using SettingChange = std::function<void(ConfigImage&)>;

// "NAME VALUE [NAME VALUE ...]" ("colour" takes SLOT RRGGBB). Everything is checked before
// anything is made: kInvalidArgument names the word and what is allowed.
Result<std::vector<SettingChange>> ParseSettingChanges(std::span<const std::string> words);

// The same words as (name, value) pairs, the name as `read` prints it and a colour slot's two
// words in one value ("2 ff0000"): what a caller of the window's Set sends. Meant for words
// ParseSettingChanges has taken.
std::vector<std::pair<std::string, std::string>> SettingWordPairs(
    std::span<const std::string> words);

}  // namespace n240qx
