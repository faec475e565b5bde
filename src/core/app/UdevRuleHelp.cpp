#include "app/UdevRuleHelp.h"

namespace n240qx {

namespace {

std::string Joined(const std::vector<std::string>& parts, const std::string& separator) {
  std::string text;
  for (const std::string& part : parts) {
    text += (text.empty() ? "" : separator) + part;
  }
  return text;
}

}  // namespace

std::filesystem::path UdevRuleHelp::ShippedRule(const std::filesystem::path& share_folder) {
  return share_folder.lexically_normal().parent_path().parent_path() / "lib" / "udev" / "rules.d" /
         "70-n240qx.rules";
}

std::vector<std::string> UdevRuleHelp::Commands(const std::filesystem::path& rule) {
  // udev reads /etc/udev/rules.d whatever the program's prefix; the trigger applies the rule to
  // the keyboard already plugged in.
  return {"sudo cp '" + rule.string() + "' /etc/udev/rules.d/",
          "sudo udevadm control --reload && sudo udevadm trigger"};
}

std::string UdevRuleHelp::Lines(const Texts& texts, const std::filesystem::path& rule) {
  return std::string(texts.Get(TextId::kKeyboardNotPermitted)) + "\n" +
         Joined(Commands(rule), "\n");
}

std::string UdevRuleHelp::OneLine(const Texts& texts, const std::filesystem::path& rule) {
  return std::string(texts.Get(TextId::kKeyboardNotPermitted)) + " " +
         Joined(Commands(rule), " && ");
}

}  // namespace n240qx
