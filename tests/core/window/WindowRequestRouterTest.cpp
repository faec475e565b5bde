#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/WindowRequestRouter.h"

namespace n240qx {
namespace {

using R = WindowRequest;

// Two handlers as the window has them: the first takes the window's own requests, the second
// the rest, and answers a confirmation with what the model would return.
class WindowRequestRouterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    router_.SetBeforeEachStep([this] { log_.push_back("step"); });
    router_.SetAfterRoute([this] { log_.push_back("end"); });
    router_.AddHandler([this](R request, std::vector<R>& /*follow_ups*/) {
      if (request != R::kRepaint && request != R::kShowWindow) {
        return false;
      }
      log_.push_back(request == R::kRepaint ? "window:repaint" : "window:show");
      return true;
    });
    router_.AddHandler([this](R request, std::vector<R>& follow_ups) {
      if (request == R::kConfirmFactoryReset) {
        log_.push_back("actions:confirm");
        follow_ups = answer_;
        return true;
      }
      if (request == R::kRunFactoryReset) {
        log_.push_back("actions:reset");
        return true;
      }
      return false;
    });
  }

  WindowRequestRouter router_;
  std::vector<R> answer_;
  std::vector<std::string> log_;
};

TEST_F(WindowRequestRouterTest, FollowUpsRunBeforeTheRestAndEachRequestReachesOneHandler) {
  const struct {
    std::vector<R> answer;
    std::vector<std::string> expected;
  } cases[] = {
      {{}, {"step", "window:repaint", "step", "actions:confirm", "step", "window:show", "end"}},
      {{R::kRunFactoryReset, R::kRepaint},
       {"step", "window:repaint", "step", "actions:confirm", "step", "actions:reset", "step",
        "window:repaint", "step", "window:show", "end"}},
  };
  for (const auto& c : cases) {
    answer_ = c.answer;
    log_.clear();
    router_.Route({R::kRepaint, R::kConfirmFactoryReset, R::kShowWindow});
    EXPECT_EQ(log_, c.expected);
  }
}

TEST_F(WindowRequestRouterTest, ARequestNoHandlerTakesIsDroppedAndTheRestStillRun) {
  router_.Route({R::kLaunchUpdater, R::kRepaint});
  EXPECT_EQ(log_, (std::vector<std::string>{"step", "step", "window:repaint", "end"}));
}

TEST_F(WindowRequestRouterTest, ARouteStartedInsideAHandlerRunsToItsEndFirst) {
  // A modal dialog's event loop may deliver a keyboard event that routes its own requests.
  router_.AddHandler([this](R request, std::vector<R>& /*follow_ups*/) {
    if (request != R::kOpenMacroDialog) {
      return false;
    }
    router_.Route({R::kShowWindow});
    log_.push_back("dialog closed");
    return true;
  });
  router_.Route({R::kOpenMacroDialog, R::kRepaint});
  EXPECT_EQ(log_, (std::vector<std::string>{"step", "step", "window:show", "end", "dialog closed",
                                            "step", "window:repaint", "end"}));
}

}  // namespace
}  // namespace n240qx
