#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "window/WindowRequest.h"

namespace n240qx {

// The one road every window request takes. Handlers are asked in the order they were added
// and the first that takes a request carries it out; a model answer it gets on the way (the
// factory-reset answer, a closed profile dialog) comes back as follow-up requests, which run
// next, before the rest of the requests they came from. No handler calls back into the window:
// everything a request leads to passes through here exactly once.
class WindowRequestRouter {
 public:
  // Returns true when `request` is this handler's; requests a model returned while carrying it
  // out go into `follow_ups`.
  using Handler =
      std::function<bool(WindowRequest request, std::vector<WindowRequest>& follow_ups)>;

  void AddHandler(Handler handler) { handlers_.push_back(std::move(handler)); }
  // Runs before every request: the window's controls follow the model, so that a question a
  // step asks (the firmware prompt after a read) comes with the busy state already gone.
  void SetBeforeEachStep(std::function<void()> step) { before_each_step_ = std::move(step); }
  // Runs once after the last request of every route: what follows a finished input.
  void SetAfterRoute(std::function<void()> step) { after_route_ = std::move(step); }

  // Carries out `requests` and their follow-ups in order. A request no handler takes is
  // dropped. Safe to call again from inside a handler's modal dialog: that call runs its own
  // requests to the end first.
  void Route(std::vector<WindowRequest> requests) const;

 private:
  static void Run(const std::function<void()>& step);
  std::vector<WindowRequest> Carry(WindowRequest request) const;

  std::vector<Handler> handlers_;
  std::function<void()> before_each_step_;
  std::function<void()> after_route_;
};

}  // namespace n240qx
