#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ActionFeedback.h"

namespace n240qx {
namespace {

struct LineCase {
  FeedbackAction action;
  const char* detail;
  Language language;
  const char* line;
};

class ActionFeedbackLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ActionFeedbackLine, SaysWhatTheActionDidInTheWindowsLanguage) {
  const Texts texts(GetParam().language);
  ActionFeedback feedback(texts);
  feedback.Succeeded(GetParam().action, GetParam().detail);
  EXPECT_EQ(feedback.success(), GetParam().line);
  EXPECT_TRUE(feedback.failure().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Actions, ActionFeedbackLine,
    ::testing::Values(
        LineCase{FeedbackAction::kApply, "lighting, 3 keys", Language::kEnglish,
                 "Applied: lighting, 3 keys"},
        LineCase{FeedbackAction::kApply, "", Language::kEnglish, "Applied"},
        LineCase{FeedbackAction::kApply, "", Language::kGerman, "Angewendet"},
        LineCase{FeedbackAction::kExport, "/home/a/Race.bin", Language::kEnglish,
                 "Exported to /home/a/Race.bin"},
        LineCase{FeedbackAction::kExport, "/tmp/x.bin", Language::kGerman,
                 "Exportiert nach /tmp/x.bin"},
        LineCase{FeedbackAction::kImport, "Race", Language::kEnglish, "Imported: Race"},
        LineCase{FeedbackAction::kRename, "Tour", Language::kGerman, "Umbenannt in Tour"},
        // A restore and a reset say the same whatever detail comes along.
        LineCase{FeedbackAction::kRestore, "ignored", Language::kEnglish,
                 "Restored the settings the keyboard holds"},
        LineCase{FeedbackAction::kFactoryReset, "", Language::kGerman,
                 "Die Tastatur hat wieder ihre Werkseinstellungen"}));

// One step of a user's session: a success of `action`, or a failure when `failure` is set.
struct Step {
  const char* failure;
  FeedbackAction action;
  const char* shown_success;
  const char* shown_failure;
};

TEST(ActionFeedback, TheLatestActionDecidesWhichLineIsShown) {
  const Texts texts;
  ActionFeedback feedback(texts);
  EXPECT_TRUE(feedback.success().empty());
  EXPECT_TRUE(feedback.failure().empty());
  const std::vector<Step> steps{
      {"The changes were not applied: gone", FeedbackAction::kApply, "",
       "The changes were not applied: gone"},
      {nullptr, FeedbackAction::kApply, "Applied: game mode", ""},
      {"The profile was not exported: full", FeedbackAction::kExport, "",
       "The profile was not exported: full"},
      {nullptr, FeedbackAction::kRename, "Renamed to game mode", ""},
  };
  for (const Step& step : steps) {
    if (step.failure != nullptr) {
      feedback.Failed(step.failure);
    } else {
      feedback.Succeeded(step.action, "game mode");
    }
    EXPECT_EQ(feedback.success(), step.shown_success);
    EXPECT_EQ(feedback.failure(), step.shown_failure);
  }
  feedback.Clear();
  EXPECT_TRUE(feedback.success().empty());
  EXPECT_TRUE(feedback.failure().empty());
}

}  // namespace
}  // namespace n240qx
