#include <gtest/gtest.h>

#include "app/BackupFallback.h"
#include "app/Texts.h"

namespace n240qx {
namespace {

const Status kSaved = Status::Ok();
const Status kFull = Error{ErrorCode::kIo, "cannot write (disk full?): backups/x.bin"};
const Status kFullAgain = Error{ErrorCode::kIo, "cannot write (disk full?): backups/y.bin"};
const Status kDenied = Error{ErrorCode::kPermissionDenied, "cannot write: backups/z.bin"};

// One step of a row of writes: the backup's outcome, what the model does, and the user's
// answer when it asks.
struct WriteStep {
  const Status* backup;
  BackupFallback::Step step;
  bool answer;
  bool sent;
};

TEST(BackupFallback, AsksOncePerFailingRowAndAgainAfterANoOrAnotherFailure) {
  const Texts texts;
  const struct {
    const char* row;
    std::vector<WriteStep> steps;
  } kRows[] = {
      {"saved backups never ask", {{&kSaved, BackupFallback::Step::kSend, false, true}}},
      {"a yes holds while the backups fail the same way",
       {{&kFull, BackupFallback::Step::kAsk, true, true},
        {&kFullAgain, BackupFallback::Step::kSend, false, true}}},
      {"a no sends nothing and the next failure asks again",
       {{&kFull, BackupFallback::Step::kAsk, false, false},
        {&kFull, BackupFallback::Step::kAsk, true, true}}},
      {"another failure asks again",
       {{&kFull, BackupFallback::Step::kAsk, true, true},
        {&kDenied, BackupFallback::Step::kAsk, true, true}}},
      {"a saved backup ends the row",
       {{&kFull, BackupFallback::Step::kAsk, true, true},
        {&kSaved, BackupFallback::Step::kSend, false, true},
        {&kFull, BackupFallback::Step::kAsk, false, false}}},
  };
  for (const auto& row : kRows) {
    BackupFallback fallback(texts);
    for (std::size_t i = 0; i < row.steps.size(); ++i) {
      const WriteStep& step = row.steps[i];
      const auto got = fallback.OnBackup(*step.backup);
      ASSERT_EQ(got, step.step) << row.row << ", write " << i;
      const bool sent = got == BackupFallback::Step::kSend || fallback.OnAnswer(step.answer);
      EXPECT_EQ(sent, step.sent) << row.row << ", write " << i;
    }
  }
}

TEST(BackupFallback, QuestionSaysWhyInTheWindowsLanguage) {
  const struct {
    Language language;
    const char* title;
    const char* ends;
  } kLanguages[] = {
      {Language::kEnglish, "No backup", "disk full?): backups/x.bin\n\nSend without a backup?"},
      {Language::kGerman, "Keine Sicherung", "\n\nOhne Sicherung senden?"},
  };
  for (const auto& entry : kLanguages) {
    const Texts texts(entry.language);
    BackupFallback fallback(texts);
    ASSERT_EQ(fallback.OnBackup(kFull), BackupFallback::Step::kAsk);
    const ConfirmPrompt prompt = fallback.Prompt();
    EXPECT_EQ(prompt.title, entry.title);
    EXPECT_TRUE(std::string_view(prompt.question).ends_with(entry.ends)) << prompt.question;
  }
}

}  // namespace
}  // namespace n240qx
