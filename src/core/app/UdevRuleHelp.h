#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/Texts.h"

namespace n240qx {

// What a user is told when the keyboard is attached but may not be opened (the usual first
// start on Linux): the udev rule that grants access is not installed yet, and the exact
// commands that install the one the program ships with.
class UdevRuleHelp {
 public:
  // The rule as installed with the program: <prefix>/lib/udev/rules.d beside <prefix>/share.
  static std::filesystem::path ShippedRule(const std::filesystem::path& share_folder);
  static std::vector<std::string> Commands(const std::filesystem::path& rule);
  // The explanation, then one command line per line.
  static std::string Lines(const Texts& texts, const std::filesystem::path& rule);
  // The same in one line, for a tray balloon.
  static std::string OneLine(const Texts& texts, const std::filesystem::path& rule);
};

}  // namespace n240qx
