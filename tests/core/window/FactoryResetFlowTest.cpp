#include <gtest/gtest.h>

#include <algorithm>

#include "window/FactoryResetFlow.h"
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

TEST(FactoryReset, FinishedResetUnlocksEditingAndFollowsTheImageOnlyOnSuccess) {
  ConfigImage image;
  DeviceSnapshot snapshot;
  MainWindowModel model(image, snapshot, true);
  ASSERT_EQ(model.OnFactoryResetAnswer(true).front(), R::kRunFactoryReset);
  EXPECT_EQ(std::ranges::count(model.OnFactoryResetFinished(Status::Ok()), R::kSetSlidersFromImage),
            1);
  EXPECT_FALSE(model.state().EditingLocked());

  (void)model.OnFactoryResetAnswer(true);
  const auto failed = model.OnFactoryResetFinished(Error{ErrorCode::kNotOpen, "No keyboard."});
  EXPECT_EQ(failed, (std::vector<R>{R::kRepaint}));
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
