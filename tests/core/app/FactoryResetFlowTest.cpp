#include <gtest/gtest.h>

#include <algorithm>

#include "app/FactoryResetFlow.h"
#include "window/MainWindowModel.h"

namespace n240qx {
namespace {

using R = WindowRequest;

TEST(FactoryReset, CancelSendsNothingAndClosesTheHelpWindow) {
  MainWindowState state;
  state.help_open = true;
  state.per_key_mode = true;
  const auto requests = FactoryResetFlow::OnAnswer(false, state);
  EXPECT_EQ(std::ranges::count(requests, R::kRunFactoryReset), 0);
  EXPECT_FALSE(state.help_open);
  EXPECT_TRUE(state.per_key_mode);
  EXPECT_EQ(state.activity, DeviceActivity::kIdle);
}

TEST(FactoryReset, OkRunsOnTheWorkerAndLeavesPerKeyMode) {
  MainWindowState state;
  state.help_open = true;
  state.per_key_mode = true;
  const auto requests = FactoryResetFlow::OnAnswer(true, state);
  EXPECT_EQ(requests.front(), R::kRunFactoryReset);
  EXPECT_FALSE(state.help_open);
  EXPECT_FALSE(state.per_key_mode);
  EXPECT_TRUE(state.EditingLocked()) << "the window keeps painting, editing waits";
}

TEST(FactoryReset, FinishedResetLeavesNothingToSendForTheMask) {
  ConfigImage image;
  DeviceSnapshot snapshot;
  MainWindowModel model(image, snapshot, true);
  ASSERT_EQ(model.OnFactoryResetAnswer(true).front(), R::kRunFactoryReset);
  image.windows_key_lock() = 1;  // left on from before: must not survive the reset
  image.key_enable_mask()[4] = 0x00;
  const auto requests = model.OnFactoryResetFinished(Status::Ok());

  EXPECT_TRUE(std::ranges::all_of(image.key_enable_mask(), [](auto b) { return b == 0xFF; }));
  EXPECT_EQ(image.windows_key_lock(), 0);
  EXPECT_EQ(image.bytes(), snapshot.bytes());
  ConfigImage next_write = image;
  next_write.ApplyWindowsKeyLock();
  EXPECT_TRUE(next_write.FieldEquals(snapshot, image_field::kKeyEnableMask));
  for (R r : {R::kSetSlidersFromImage, R::kClearMarkedKeys, R::kResetKeyActionTable,
              R::kSaveKeymapStore}) {
    EXPECT_EQ(std::ranges::count(requests, r), 1) << static_cast<int>(r);
  }
  EXPECT_FALSE(model.state().EditingLocked());
}

TEST(FactoryReset, FailedResetKeepsTheImage) {
  ConfigImage image;
  DeviceSnapshot snapshot;
  MainWindowModel model(image, snapshot, true);
  (void)model.OnFactoryResetAnswer(true);
  image.key_enable_mask()[0] = 0x01;
  const auto requests = model.OnFactoryResetFinished(Error{ErrorCode::kNotOpen, "No keyboard."});
  EXPECT_EQ(image.key_enable_mask()[0], 0x01);
  EXPECT_EQ(std::ranges::count(requests, R::kSaveKeymapStore), 0);
  EXPECT_FALSE(model.state().EditingLocked());
}

TEST(FactoryReset, ConfirmationTexts) {
  const auto english = FactoryResetFlow::Prompt(Texts());
  EXPECT_EQ(english.title, "Factory Setting");
  EXPECT_EQ(english.question, "Confirm to return Factory Setting?");
  const auto german = FactoryResetFlow::Prompt(Texts(Language::kGerman));
  EXPECT_EQ(german.title, "Werkseinstellungen");
  EXPECT_EQ(german.question,
            "Bitte best\u00E4tige das Zur\u00FCcksetzen auf die Werkseinstellungen?");
}

}  // namespace
}  // namespace n240qx
