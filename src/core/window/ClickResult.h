#pragma once

#include <algorithm>
#include <optional>
#include <vector>

#include "paint/PageItem.h"
#include "window/WindowRequest.h"

namespace n240qx {

// Who handles the rest of a mouse event after the main window model has looked at it.
enum class ClickRoute {
  kMainWindow,    // fully handled here; carry out the requests
  kLightingItem,  // a lighting page item (3-15) was released on: `item` says which
  kEffectList,    // the effect list was open: the lighting page picks the row (or none)
  kKeyboardView,  // no page item (or a move outside the open list): the keyboard view takes it
  kIgnored,       // nothing happens (a device sequence is running)
};

struct ClickResult {
  ClickRoute route = ClickRoute::kMainWindow;
  std::optional<PageItem> item;
  std::vector<WindowRequest> requests;
  // A release that goes on to the keyboard view's key click, after the page item if there was
  // one: the click ends a band selection however the page item took it.
  bool key_click = false;

  bool Has(WindowRequest request) const {
    return std::ranges::find(requests, request) != requests.end();
  }
};

}  // namespace n240qx
