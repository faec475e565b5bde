#include <gtest/gtest.h>

#include <QAction>
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

}  // namespace
}  // namespace n240qx::testing
