#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MacroTestSupport.h"
#include "dialogs/MacroDialogModel.h"
#include "keys/KeyHook.h"
#include "keys/KeyNameTable.h"
#include "util/VirtualClock.h"

namespace n240qx::testing {

// A key hook that delivers nothing by itself: the test feeds keys to the model.
class FakeKeyHook final : public KeyHook {
 public:
  bool Install(int mode) override {
    installed_ = succeeds;
    last_mode = mode;
    ++installs;
    return succeeds;
  }
  void Remove() override { installed_ = false; }
  bool installed() const override { return installed_; }
  KeyHookReach reach() const override { return reach_value; }

  bool succeeds = true;
  KeyHookReach reach_value = KeyHookReach::kSystemWide;
  int last_mode = -1;
  int installs = 0;

 private:
  bool installed_ = false;
};

// The dialog's model on a virtual clock, with the program's key name table ('A' is 0x41 with
// device code 0x04, named "A ").
class MacroDialogFixture : public ::testing::Test {
 protected:
  MacroDialogFixture() : model_(stored_, working_, hook_, clock_, names_) {}

  // Stored macros with these names, then the dialog opened on them.
  void OpenWith(const std::vector<std::u16string>& macro_names) {
    for (std::size_t i = 0; i < macro_names.size(); ++i) {
      ASSERT_TRUE(stored_.entry(i).SetName(macro_names[i]).ok());
      stored_.entry(i).repeat_count = 1;
    }
    model_.Open();
  }
  void Click(MacroButton button) {
    const PixelRect& rect = MacroDialogLayout::Rect(button);
    last_ = model_.OnButtonUp(rect.left, rect.top);
  }
  // A key event `after_ms` after the previous one.
  void Key(std::uint8_t vk, bool released, std::int64_t after_ms = 0) {
    clock_.AdvanceUs(after_ms * 1000);
    model_.OnHookedKey({vk, released});
  }
  void Tap(std::uint8_t vk) {
    Key(vk, false);
    Key(vk, true);
  }
  std::string KeyHex() const { return UsedHex(model_.recorder().buffers().key_events); }
  std::vector<std::string> ShownLines() const {
    std::vector<std::string> lines;
    for (const auto& line : model_.event_lines()) {
      lines.emplace_back(line.begin(), line.end());
    }
    return lines;
  }

  const KeyNameTable names_ = BuildKeyNameTable();
  VirtualClock clock_;
  FakeKeyHook hook_;
  MacroStore stored_;
  MacroStore working_;
  MacroDialogModel model_;
  MacroDialogOutcome last_;
};

}  // namespace n240qx::testing
