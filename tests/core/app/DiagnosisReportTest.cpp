#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "app/DiagnosisReport.h"
#include "support/TempDir.h"

namespace n240qx {
namespace {

std::string ValueOf(const std::vector<DiagnosisReport::Item>& items, const std::string& key) {
  for (const auto& item : items) {
    if (item.key == key) {
      if (const auto* flag = std::get_if<bool>(&item.value)) {
        return *flag ? "true" : "false";
      }
      if (const auto* number = std::get_if<std::int64_t>(&item.value)) {
        return std::to_string(*number);
      }
      return std::get<std::string>(item.value);
    }
  }
  return "(absent)";
}

TEST(DiagnosisReport, TellsTheDesktopSessionFromItsEnvironment) {
  using Env = std::map<std::string, std::string>;
  const struct {
    Env env;
    const char* session;
    const char* desktop;
  } kCases[] = {
      {{{"XDG_SESSION_TYPE", "wayland"}, {"XDG_CURRENT_DESKTOP", "GNOME"}}, "wayland", "GNOME"},
      {{{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}, "x11", "unknown"},
      {{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, "wayland", "unknown"},
      {{{"DISPLAY", ":1"}, {"XDG_CURRENT_DESKTOP", "KDE"}}, "x11", "KDE"},
      {{{"XDG_SESSION_TYPE", ""}}, "none (no display)", "unknown"},
      {{}, "none (no display)", "unknown"},
  };
  for (const auto& c : kCases) {
    const auto items = DesktopSessionItems([&](const char* name) -> std::optional<std::string> {
      const auto found = c.env.find(name);
      return found == c.env.end() ? std::nullopt : std::optional<std::string>(found->second);
    });
    EXPECT_EQ(ValueOf(items, "session"), c.session);
    EXPECT_EQ(ValueOf(items, "desktop"), c.desktop);
  }
}

TEST(DiagnosisReport, DescribesEachStoreAndWhyOneIsHeld) {
  testing::TempDir dir;
  const auto file = dir.path() / "keymap.bin";
  std::ofstream(file, std::ios::binary) << "12345";
  std::filesystem::create_directory(dir.path() / "backups");
  std::ofstream(dir.path() / "backups" / "one.bin") << "x";
  StoreGuard guard;
  guard.Hold(file, "it is damaged");

  const auto held = StoreItems(file, guard);
  EXPECT_EQ(ValueOf(held, "exists"), "true");
  EXPECT_EQ(ValueOf(held, "size"), "5");
  EXPECT_EQ(ValueOf(held, "readable"), "true");
  EXPECT_EQ(ValueOf(held, "held"), "true");
  EXPECT_NE(ValueOf(held, "why_held").find("it is damaged"), std::string::npos);
  EXPECT_EQ(ValueOf(StoreItems(file, StoreGuard{}), "why_held"), "(absent)");

  const auto missing = StoreItems(dir.path() / "MacroDefine.bin", guard);
  EXPECT_EQ(ValueOf(missing, "exists"), "false");
  EXPECT_EQ(ValueOf(missing, "size"), "(absent)");
  EXPECT_EQ(ValueOf(StoreItems(dir.path() / "backups", guard), "files"), "1");
}

TEST(DiagnosisReport, PrintsTheSameSectionsAsTextAndAsJson) {
  DiagnosisReport report;
  report.Add("program").items = {{"version", std::string("1.2.3")}};
  auto& nodes = report.Add("nodes");
  nodes.entries = {{{"node", std::string("/dev/hidraw3")}, {"interface", std::int64_t{3}}}};
  report.Add("log").lines = {"out feature 00 92"};
  EXPECT_EQ(report.Text(),
            "program:\n  version: 1.2.3\nnodes:\n  node /dev/hidraw3, interface 3\nlog:\n"
            "  out feature 00 92\n");
  EXPECT_EQ(report.Json(),
            "{\"program\":{\"version\":\"1.2.3\"},\"nodes\":{\"entries\":[{\"node\":\"/dev/"
            "hidraw3\",\"interface\":3}]},\"log\":{\"lines\":[\"out feature 00 92\"]}}");
}

}  // namespace
}  // namespace n240qx
