#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "window/EditKeys.h"
#include "window/MainWindowModel.h"
#include "window/PageItemTable.h"

namespace n240qx {
namespace {

using R = WindowRequest;

TEST(EditStepping, TheWindowFollowsTheImageAndRewritesKeySettingsOnlyWhenTheStepTouchedThem) {
  struct Case {
    const char* what;
    std::function<void(ConfigImage&, KeyActionTable&)> edit;
    std::vector<R> requests;
    bool per_key_mode;
  };
  const std::vector<Case> cases{
      {"brightness",
       [](ConfigImage& i, KeyActionTable&) { i.brightness() = 9; },
       {R::kSetSlidersFromImage, R::kRepaint},
       true},
      {"a lighting profile left",
       [](ConfigImage& i, KeyActionTable&) { i.light_effect() = 2; },
       {R::kSetSlidersFromImage, R::kRepaint},
       false},
      {"a key action",
       [](ConfigImage&, KeyActionTable& a) { a[3].kind = 2; },
       {R::kSetSlidersFromImage, R::kRefreshKeySettings, R::kRepaint},
       true},
      {"the key map",
       [](ConfigImage& i, KeyActionTable&) { i.key_map()[8] = 1; },
       {R::kSetSlidersFromImage, R::kRefreshKeySettings, R::kRepaint},
       true},
      {"the enable mask",
       [](ConfigImage& i, KeyActionTable&) { i.key_enable_mask()[2] = 0; },
       {R::kSetSlidersFromImage, R::kRefreshKeySettings, R::kRepaint},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ConfigImage image;
    image.light_effect() = 51;  // a lighting profile, shown in per-key mode
    image.key_enable_mask()[2] = 0x3F;
    DeviceSnapshot snapshot;
    MainWindowModel model(image, snapshot, true);
    model.SetPerKeyMode(true);
    const ConfigImage before = image;
    const KeyActionTable before_actions;
    KeyActionTable actions;
    c.edit(image, actions);
    const EditStep step = EditStep::Between(before, before_actions, image, actions);
    EXPECT_EQ(model.OnEditStepped(step), c.requests);
    EXPECT_EQ(model.state().per_key_mode, c.per_key_mode);
  }
}

TEST(EditStepping, WaitsWhileTheKeyboardIsBusyOrSomethingCoversThePage) {
  ConfigImage image;
  DeviceSnapshot snapshot;
  MainWindowModel model(image, snapshot, true);
  EXPECT_TRUE(model.CanStepEdits());
  const auto click = [&](PageItem item) {
    const PixelRect r = PageItemTable::RectOf(item);
    model.OnButtonUp((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  };
  click(PageItem::kHelp);
  EXPECT_FALSE(model.CanStepEdits());
  model.OnButtonUp(0, 0);  // closes the help window
  model.OnButtonDown(5, 5);
  EXPECT_FALSE(model.CanStepEdits());
  model.OnButtonUp(5, 5);
  model.OpenEffectList();
  EXPECT_FALSE(model.CanStepEdits());
  model.CloseEffectList();
  EXPECT_TRUE(model.CanStepEdits());
  click(PageItem::kApply);
  EXPECT_FALSE(model.CanStepEdits());
  model.OnApplyFinished(Status::Ok());
  EXPECT_TRUE(model.CanStepEdits());
}

}  // namespace
}  // namespace n240qx

namespace n240qx {
namespace {

// Only the bindings every desktop knows step; any other chord is left for the window.
TEST(EditKeys, TakeOnlyTheirChordsAndStepBothWays) {
  auto state = std::make_unique<ConfiguratorState>();
  MainWindowModel model(state->ImageForEditing(), state->snapshot(), true);
  EditKeys keys(*state, model);
  const std::uint8_t before = state->image().brightness();
  state->ImageForEditing().brightness() = static_cast<std::uint8_t>(before + 5);
  keys.Record();

  int routed = 0;
  const auto route = [&](std::vector<WindowRequest>) { ++routed; };
  const struct {
    KeyChord chord;
    bool taken;
    int brightness_after;
  } presses[] = {
      {{'Z', false, false, false}, false, before + 5},  // plain Z
      {{'Z', true, false, true}, false, before + 5},    // Ctrl+Alt+Z
      {{'Y', true, true, false}, false, before + 5},    // Ctrl+Shift+Y
      {{'Z', true, false, false}, true, before},        // Ctrl+Z
      {{'Z', true, true, false}, true, before + 5},     // Ctrl+Shift+Z
      {{'Z', true, false, false}, true, before},
      {{'Y', true, false, false}, true, before + 5},  // Ctrl+Y
      {{'Y', true, false, false}, true, before + 5},  // nothing left to redo
  };
  for (const auto& press : presses) {
    EXPECT_EQ(keys.OnKey(press.chord, route), press.taken) << char(press.chord.key);
    EXPECT_EQ(state->image().brightness(), press.brightness_after) << char(press.chord.key);
  }
  EXPECT_EQ(routed, 4) << "each step that was taken re-derives the page once";
}

}  // namespace
}  // namespace n240qx
