#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "image/ConfigImage.h"
#include "util/Result.h"

namespace n240qx {

// One change of `set`, ready to be made on the image.
using SettingChange = std::function<void(ConfigImage&)>;

// "NAME VALUE [NAME VALUE ...]" ("colour" takes SLOT RRGGBB). Everything is checked before
// anything is made: kInvalidArgument names the word and what is allowed.
Result<std::vector<SettingChange>> ParseSettingChanges(std::span<const std::string> words);

}  // namespace n240qx
