#include <gtest/gtest.h>

#include <functional>

#include "app/ChangeSummary.h"
#include "app/ConfiguratorState.h"
#include "keys/KeyTable.h"

namespace n240qx {
namespace {

namespace field = image_field;

// Edits name keys by index; the image holds them by switch-matrix slot.
std::size_t SlotOfKey(std::size_t index) {
  return *KeyTable::SlotOf(index);
}

struct SummaryCase {
  const char* name;
  std::function<void(ConfiguratorState&)> edit;
  const char* english;
  const char* german;
};

void PrintTo(const SummaryCase& summary_case, std::ostream* out) {
  *out << summary_case.name;
}

class ChangeSummaryTest : public ::testing::TestWithParam<SummaryCase> {
 protected:
  ChangeSummaryTest() {
    // As after a read: every key enabled, the lock off and folded in.
    for (std::size_t slot = 0; slot < field::kKeySlotCount; ++slot) {
      state.ImageForEditing().SetKeyEnabled(slot, true);
    }
    state.ImageForEditing().ApplyWindowsKeyLock();
    state.CopyToSnapshots();
  }
  ConfiguratorState state;
};

TEST_P(ChangeSummaryTest, NamesEveryChangedPartOnce) {
  GetParam().edit(state);
  const ChangeSummary summary = ChangeSummary::Compare(state);
  EXPECT_EQ(summary.Words(Texts()), GetParam().english);
  EXPECT_EQ(summary.ApplyText(Texts(Language::kGerman)), GetParam().german);
  EXPECT_EQ(summary.Any(), !std::string(GetParam().english).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Edits, ChangeSummaryTest,
    ::testing::Values(
        SummaryCase{"nothing", [](ConfiguratorState&) {}, "", ""},
        SummaryCase{"edit_undone",
                    [](ConfiguratorState& s) {
                      s.ImageForEditing().brightness() = 4;
                      s.ImageForEditing().brightness() = s.snapshot().brightness();
                    },
                    "", ""},
        SummaryCase{"mixed",
                    [](ConfiguratorState& s) {
                      s.ImageForEditing().effect_speed() = 3;
                      s.ImageForEditing().Field(field::ColourSlot(2))[0] = 0x80;
                      // One key edited three ways, two more one way each.
                      s.ImageForEditing().Field(field::KeyMapEntry(SlotOfKey(10)))[1] = 0x22;
                      s.ImageForEditing().SetKeyEnabled(SlotOfKey(10), false);
                      s.KeyActionsForEditing()[10].kind = 3;
                      s.ImageForEditing().SetKeyEnabled(SlotOfKey(20), false);
                      s.KeyActionsForEditing()[30].path[0] = u'x';
                      s.ImageForEditing().game_mode() = 1;
                    },
                    "lighting, 3 keys, game mode", "Anwenden: Beleuchtung, 3 Tasten, Spielmodus"},
        SummaryCase{
            "colour_slots_alone_are_lighting",
            [](ConfiguratorState& s) { s.ImageForEditing().Field(field::ColourSlot(6))[2] = 9; },
            "lighting", "Anwenden: Beleuchtung"},
        SummaryCase{"lock_is_not_a_key",
                    [](ConfiguratorState& s) { s.ImageForEditing().windows_key_lock() = 1; },
                    "Windows key lock", "Anwenden: Windowstastensperre"},
        SummaryCase{"one_key_and_the_rest",
                    [](ConfiguratorState& s) {
                      s.KeyActionsForEditing()[KeyActionTable::kEntryCount - 1].kind = 1;
                      s.ImageForEditing().Field(field::ColourTable(4))[0] = 1;
                      s.ImageForEditing().Field(field::MacroRecord(31))[5] = 1;
                      s.ImageForEditing().report_rate() = 2;
                      s.ImageForEditing().response_time() = 3;
                    },
                    "key colours, 1 key, macros, report rate, response time",
                    "Anwenden: Tastenfarben, 1 Taste, Makros, Abfragerate, Wiederholrate"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(ChangeSummary, FactoryResetSaysSo) {
  EXPECT_EQ(ChangeSummary::FactoryReset().ApplyText(Texts()), "Apply: factory reset");
  EXPECT_EQ(ChangeSummary::FactoryReset().Words(Texts(Language::kGerman)), "Werkseinstellungen");
}

}  // namespace
}  // namespace n240qx
