#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "WindowTestSupport.h"
#include "config/ProfileJson.h"
#include "gui/TrayIcon.h"
#include "util/AtomicFile.h"

namespace n240qx::testing {
namespace {

using Keyboard = WindowUnderTest::Keyboard;

QAction* Item(const QMenu& menu, const QString& text) {
  for (QAction* action : menu.actions()) {
    if (action->text() == text) {
      return action;
    }
  }
  return nullptr;
}

QMenu* Profiles(const QMenu& menu, const QString& title) {
  QAction* item = Item(menu, title);
  return item != nullptr ? item->menu() : nullptr;
}

// A library profile of what the simulated keyboard holds, at another brightness.
void SaveProfile(WindowUnderTest& window, const std::string& name, std::uint8_t brightness) {
  ConfigImage image = window.state().image();
  image.brightness() = brightness;
  const auto& state = window.state();
  const std::string text = profile_json::ToText(
      {image, state.key_actions(), state.stored_macros(), state.key_names(), state.firmware()});
  const auto folder = window.DataFolder() / "profiles";
  std::filesystem::create_directories(folder);
  ASSERT_TRUE(WriteFileAtomically(folder / (name + ".json"),
                                  std::vector<std::uint8_t>(text.begin(), text.end()))
                  .ok());
}

TEST(DesktopTray, TheMenuOffersProfilesLightsAndNotificationsInBothLanguages) {
  const struct {
    Language language;
    QString profiles;
    QString none;
    std::vector<QString> checks;
    QString idle;
    QString not_reported;
  } kLanguages[] = {
      {Language::kEnglish,
       "Profiles",
       "No profiles",
       {"Lights off when the screen locks", "Lights off before suspend", "Notifications"},
       "Lights off when idle",
       "This desktop does not report idle time"},
      {Language::kGerman,
       "Profile",
       "Keine Profile",
       {"Licht aus bei gesperrtem Bildschirm", "Licht aus vor dem Ruhezustand",
        "Benachrichtigungen"},
       "Licht aus bei Inaktivit\u00E4t",
       "Diese Arbeitsumgebung meldet keine Inaktivit\u00E4t"},
  };
  for (const auto& row : kLanguages) {
    WindowUnderTest window(QString(), Keyboard::kSimulated,
                           {.tray = true, .minimized = true, .language = row.language});
    ASSERT_NE(window.program().tray(), nullptr);
    const QMenu& menu = window.program().tray()->menu();
    for (const QString& check : row.checks) {
      const QAction* item = Item(menu, check);
      ASSERT_NE(item, nullptr) << check.toStdString();
      EXPECT_TRUE(item->isCheckable()) << check.toStdString();
    }
    // No desktop watched: no idle time is reported, and the minutes are not offered.
    const QMenu* idle = Profiles(menu, row.idle);
    ASSERT_NE(idle, nullptr) << row.idle.toStdString();
    const QList<QAction*> items = idle->actions();
    ASSERT_EQ(std::ranges::count_if(items, &QAction::isVisible), 1);
    EXPECT_EQ((*std::ranges::find_if(items, &QAction::isVisible))->text(), row.not_reported);
    QMenu* profiles = Profiles(menu, row.profiles);
    ASSERT_NE(profiles, nullptr) << row.profiles.toStdString();
    ASSERT_EQ(profiles->actions().size(), 1);
    EXPECT_EQ(profiles->actions().front()->text(), row.none);
    EXPECT_FALSE(profiles->actions().front()->isEnabled());

    // The list follows the library each time the menu opens.
    SaveProfile(window, "Work & Play", 10);
    SaveProfile(window, "Quiet", 5);
    emit const_cast<QMenu&>(menu).aboutToShow();
    ASSERT_EQ(profiles->actions().size(), 2);
    EXPECT_EQ(profiles->actions()[0]->text(), "Quiet");
    EXPECT_EQ(profiles->actions()[1]->text(), "Work && Play");
  }
}

TEST(DesktopTray, AProfileChosenInTheTrayIsWrittenWithABackup) {
  WindowUnderTest window(QString(), Keyboard::kSimulated, {.tray = true});
  ASSERT_TRUE(window.StartAndWait());
  const std::uint8_t held = window.keyboard().Memory().brightness;
  const std::uint8_t wanted = held == 7 ? 8 : 7;
  SaveProfile(window, "Dim", wanted);
  const QMenu& menu = window.program().tray()->menu();
  emit const_cast<QMenu&>(menu).aboutToShow();
  QAction* dim = Item(*Profiles(menu, "Profiles"), "Dim");
  ASSERT_NE(dim, nullptr);
  dim->trigger();
  ASSERT_TRUE(WaitFor([&] { return window.keyboard().Memory().brightness == wanted; }));
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_EQ(window.state().snapshot().brightness(), wanted);
  EXPECT_FALSE(std::filesystem::is_empty(window.DataFolder() / "backups"));
  EXPECT_TRUE(window.window().failure().empty()) << window.window().failure();
}

TEST(DesktopTray, AProfileOutOfRangeIsRefusedAndNothingIsWritten) {
  WindowUnderTest window(QString(), Keyboard::kSimulated, {.tray = true});
  ASSERT_TRUE(window.StartAndWait());
  const std::uint8_t held = window.keyboard().Memory().brightness;
  SaveProfile(window, "Broken", 99);
  window.program().desktop().ApplyLibraryProfile("Broken", "test");
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_EQ(window.keyboard().Memory().brightness, held);
  EXPECT_NE(window.window().failure().find("brightness is 99"), std::string::npos)
      << window.window().failure();
}

}  // namespace
}  // namespace n240qx::testing
