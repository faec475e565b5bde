#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>

#include "gui/TrayIcon.h"

namespace n240qx::testing {
namespace {

QAction* StartWithDesktop(const TrayIcon& tray) {
  for (QAction* action : tray.menu().actions()) {
    if (action->text() == QStringLiteral("Start with the desktop")) {
      return action;
    }
  }
  return nullptr;
}

TEST(TrayIcon, StartWithTheDesktopWritesAndRemovesTheAutostartEntry) {
  QTemporaryDir config;
  const AutostartEntry entry(std::filesystem::path(config.path().toStdString()) / "autostart" /
                             "n240qx.desktop");
  const Texts texts;
  TrayIcon tray(QIcon(), texts, entry, nullptr);
  QAction* item = StartWithDesktop(tray);
  ASSERT_NE(item, nullptr);
  ASSERT_TRUE(item->isCheckable());
  EXPECT_FALSE(item->isChecked());
  item->trigger();
  EXPECT_TRUE(item->isChecked());
  EXPECT_TRUE(entry.IsEnabled());
  item->trigger();
  EXPECT_FALSE(item->isChecked());
  EXPECT_FALSE(std::filesystem::exists(entry.file()));
}

TEST(TrayIcon, TheRulesSubmenuListsTheLatestLinesToReadBeforeAbout) {
  const Texts texts;
  TrayIcon tray(QIcon(), texts, std::nullopt, nullptr);
  tray.SetRules({"1. process steam \u2192 race", "Default: desk"});
  tray.SetRules({"No rules"});
  const auto items = tray.menu().actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0]->text(), "Rules");
  EXPECT_EQ(items[1]->text(), "About");
  ASSERT_NE(items[0]->menu(), nullptr);
  const auto lines = items[0]->menu()->actions();
  ASSERT_EQ(lines.size(), 1);
  EXPECT_EQ(lines[0]->text(), "No rules");
  EXPECT_FALSE(lines[0]->isEnabled());
}

}  // namespace
}  // namespace n240qx::testing
