#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "keys/KeyLookup.h"
#include "keys/KeyTable.h"

namespace n240qx {
namespace {

using ::testing::HasSubstr;

class KeyLookupTest : public ::testing::Test {
 protected:
  KeyNameTable names = BuildKeyNameTable();
  KeyLookup lookup{names};
};

TEST_F(KeyLookupTest, NamesLabelsIndicesAndCodesFindTheirKey) {
  const struct {
    const char* typed;
    int index;
  } kCases[] = {
      {"1", 21},         {"0", 30},        {"Num1", 91},      {"1-num", 91}, {"num0", 106},
      {"#1", 1},         {"#107", 107},    {"0x31", 21},      {"q", 42},     {"Esc", 0},
      {"LShift", 78},    {"rctrl", 102},   {"Fn", 100},       {"App", 101},  {"Caps", 62},
      {"Caps Lock", 62}, {"NumEnter", 94}, {"Num/", 38},      {"Num*", 39},  {"Media", 17},
      {"0x0D", 54},      {"F12", 12},      {"Volume UP", 19}, {"|", 16},
  };
  for (const auto& found : kCases) {
    const auto row = lookup.Find(found.typed);
    ASSERT_TRUE(row.ok()) << found.typed << ": " << row.error().message;
    EXPECT_EQ((*row)->index, found.index) << found.typed;
  }
}

TEST_F(KeyLookupTest, EveryKeyHasOneNameThatFindsItAndNoOther) {
  std::set<std::string> seen;
  for (const KeyTableRow& row : KeyTable::Rows()) {
    const std::string name = lookup.PickName(row);
    EXPECT_TRUE(seen.insert(name).second) << name << " picks two keys";
    const auto found = lookup.Find(name);
    ASSERT_TRUE(found.ok()) << name << ": " << found.error().message;
    EXPECT_EQ((*found)->index, row.index) << name;
  }
}

TEST_F(KeyLookupTest, SharedWordsAreRefusedWithEveryCandidate) {
  const struct {
    const char* typed;
    const char* said;
  } kCases[] = {
      {"/", "say Num/ (#38) or #88 (0xBF)"},
      {"-", "say #31 (0xBD) or Num- (#40)"},
      {".", "say #87 (0xBE) or Num. (#107)"},
      {"Shift", "say LShift (#78) or RShift (#89)"},
      {"ctrl", "say LCtrl (#95) or RCtrl (#102)"},
      {"Alt", "say LAlt (#97) or RAlt (#99)"},
      {"Enter", "say #54 (0x0D) or NumEnter (#94)"},
      {"Ent", "say #54 (0x0D) or NumEnter (#94)"},
      {"0x5D", "say Fn (#100) or App (#101)"},
      {"Win", "say LWin (#96)"},
      {"*", "say Num* (#39)"},
      {"+", "say Num+ (#61)"},
      {"42", "a key index is written #42"},
      {"#108", "#0 to #107"},
      {"#", "unknown key"},
      {"0xFF", "no key of this keyboard"},
      {"Hyper", "unknown key \"Hyper\""},
  };
  for (const auto& refused : kCases) {
    const auto row = lookup.Find(refused.typed);
    ASSERT_FALSE(row.ok()) << refused.typed;
    EXPECT_EQ(row.error().code, ErrorCode::kInvalidArgument);
    EXPECT_THAT(row.error().message, HasSubstr(refused.said)) << refused.typed;
  }
}

}  // namespace
}  // namespace n240qx
