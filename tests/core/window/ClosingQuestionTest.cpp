#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "window/ClosingQuestion.h"

namespace n240qx {
namespace {

using R = WindowRequest;

// What an ending does, request by request, as the window's first handler carries it.
struct Ending {
  std::vector<R> passed;
  int asked = 0;
};

Ending Carry(ClosingQuestion& question, const std::vector<R>& requests, bool unapplied,
             CloseAnswer answer) {
  Ending ending;
  for (const R request : requests) {
    switch (question.OnEndingRequest(request, unapplied)) {
      case ClosingQuestion::Step::kPass:
        ending.passed.push_back(request);
        break;
      case ClosingQuestion::Step::kAsk:
        ++ending.asked;
        if (question.OnAnswer(answer, request)) {
          ending.passed.push_back(request);
        }
        break;
      case ClosingQuestion::Step::kSwallow:
        break;
    }
  }
  return ending;
}

TEST(ClosingQuestion, AsksOnlyForUnappliedEditsAndEndsAsAnswered) {
  const std::vector<R> close_mark = {R::kSaveSnapshotsToStore, R::kEndProgram};
  const std::vector<R> tray_exit = {R::kEndProgram};
  struct Case {
    const char* what;
    std::vector<R> requests;
    bool unapplied;
    CloseAnswer answer;
    std::optional<bool> write_succeeds;  // after an Apply answer
    std::vector<R> passed;               // at once
    std::vector<R> after_write;
    int asked;
  };
  const std::vector<Case> cases = {
      {"nothing unapplied", close_mark, false, CloseAnswer::kCancel, {}, close_mark, {}, 0},
      {"discard", close_mark, true, CloseAnswer::kDiscard, {}, close_mark, {}, 1},
      {"cancel", close_mark, true, CloseAnswer::kCancel, {}, {}, {}, 1},
      {"tray cancel", tray_exit, true, CloseAnswer::kCancel, {}, {}, {}, 1},
      {"apply", close_mark, true, CloseAnswer::kApply, true, {}, close_mark, 1},
      {"tray apply", tray_exit, true, CloseAnswer::kApply, true, {}, tray_exit, 1},
      {"apply fails", close_mark, true, CloseAnswer::kApply, false, {}, {}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClosingQuestion question;
    const Ending ending = Carry(question, c.requests, c.unapplied, c.answer);
    EXPECT_EQ(ending.passed, c.passed);
    EXPECT_EQ(ending.asked, c.asked);
    if (c.write_succeeds) {
      const std::vector<R> released = question.OnApplyFinished(*c.write_succeeds);
      EXPECT_EQ(released, c.after_write);
      EXPECT_EQ(Carry(question, released, true, CloseAnswer::kCancel).passed, c.after_write)
          << "what the write released ends without asking again";
    }
    if (c.passed.empty() && c.after_write.empty()) {
      EXPECT_EQ(Carry(question, tray_exit, true, CloseAnswer::kDiscard).asked, 1)
          << "the window stayed open: the next ending asks again";
    }
  }
}

// A write refused at once (no backup) ends before the close mark's second request arrives.
TEST(ClosingQuestion, AWriteRefusedAtOnceGivesUpTheRestOfTheEnding) {
  ClosingQuestion question;
  ASSERT_EQ(question.OnEndingRequest(R::kSaveSnapshotsToStore, true), ClosingQuestion::Step::kAsk);
  EXPECT_FALSE(question.OnAnswer(CloseAnswer::kApply, R::kSaveSnapshotsToStore));
  EXPECT_TRUE(question.OnApplyFinished(false).empty());
  EXPECT_EQ(question.OnEndingRequest(R::kEndProgram, true), ClosingQuestion::Step::kSwallow);
  EXPECT_EQ(question.OnEndingRequest(R::kEndProgram, true), ClosingQuestion::Step::kAsk);
}

}  // namespace
}  // namespace n240qx
