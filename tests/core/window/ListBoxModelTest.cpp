#include <gtest/gtest.h>

#include "window/ListBoxModel.h"

namespace n240qx {
namespace {

using Kind = ListNotice::Kind;

struct EditCase {
  const char* what;
  ListEditMode mode;
  bool sorted;
  std::vector<std::string> items;
  int item;
  std::string typed;
  std::vector<std::string> after;
  std::vector<ListNotice> notices;
};

TEST(ListBoxModel, AcceptedEditSettlesTheItemAndTellsTheOwnerInOrder) {
  const std::vector<EditCase> cases{
      {"delay above the maximum",
       ListEditMode::kDelayValues,
       false,
       {"A dn", "15 ms"},
       1,
       "99999999999999999999",
       {"A dn", "60000 ms"},
       {{Kind::kEditAccepted, 1, 60000, {}}, {Kind::kItemChanged, 1, 0, "15 ms"}}},
      {"delay below the minimum",
       ListEditMode::kDelayValues,
       false,
       {"15 ms"},
       0,
       "1",
       {"2 ms"},
       {{Kind::kEditAccepted, 0, 2, {}}, {Kind::kItemChanged, 0, 0, "15 ms"}}},
      {"empty delay",
       ListEditMode::kDelayValues,
       false,
       {"15 ms"},
       0,
       "",
       {"2 ms"},
       {{Kind::kEditAccepted, 0, 2, {}}, {Kind::kItemChanged, 0, 0, "15 ms"}}},
      {"unchanged delay still reports its value",
       ListEditMode::kDelayValues,
       false,
       {"15 ms"},
       0,
       "15",
       {"15 ms"},
       {{Kind::kEditAccepted, 0, 15, {}}}},
      {"file name gets its suffix and its sorted place",
       ListEditMode::kFileNames,
       true,
       {"Alpha", "Zulu"},
       0,
       "Yankee",
       {"Yankee.bin", "Zulu"},
       {{Kind::kItemChanged, 0, 0, "Alpha"}, {Kind::kEditAccepted, 0, 0, {}}}},
      {"file name keeps a suffix it has",
       ListEditMode::kFileNames,
       true,
       {"a", "b"},
       0,
       "zed.bin",
       {"b", "zed.bin"},
       {{Kind::kItemChanged, 0, 0, "a"}, {Kind::kEditAccepted, 0, 1, {}}}},
      {"sorting ignores letter case",
       ListEditMode::kPlainNames,
       true,
       {"apple", "Cherry", "x"},
       2,
       "banana",
       {"apple", "banana", "Cherry"},
       {{Kind::kItemChanged, 2, 0, "x"}, {Kind::kEditAccepted, 2, 1, {}}}},
      {"unsorted list keeps the place",
       ListEditMode::kPlainNames,
       false,
       {"b", "a"},
       0,
       "z",
       {"z", "a"},
       {{Kind::kItemChanged, 0, 0, "b"}, {Kind::kEditAccepted, 0, 0, {}}}},
      {"unchanged name sends nothing",
       ListEditMode::kPlainNames,
       true,
       {"same"},
       0,
       "same",
       {"same"},
       {}},
  };
  for (const auto& c : cases) {
    ListBoxModel list(c.sorted, c.mode);
    list.SetReportChanges(true);
    for (const auto& item : c.items) {
      list.Add(item);
    }
    ASSERT_TRUE(list.BeginEdit(c.item).has_value()) << c.what;
    EXPECT_EQ(list.EndEdit(true, c.typed), c.notices) << c.what;
    EXPECT_EQ(list.items(), c.after) << c.what;
    EXPECT_EQ(list.editing(), -1) << c.what;
  }
}

TEST(ListBoxModel, CancelledOrRefusedEditsChangeNothing) {
  ListBoxModel delays(false, ListEditMode::kDelayValues);
  delays.Add("A dn");
  delays.Add("A up");
  delays.Add("40 ms");
  EXPECT_FALSE(delays.BeginEdit(0)) << "key lines are not delays";
  EXPECT_FALSE(delays.BeginEdit(1));
  EXPECT_FALSE(delays.BeginEdit(3));
  EXPECT_EQ(delays.BeginEdit(2), "40") << "the box shows the number alone";
  EXPECT_TRUE(delays.EndEdit(false, "7").empty()) << "Esc";
  EXPECT_EQ(delays.items()[2], "40 ms");
  EXPECT_EQ(delays.editing(), -1);
  EXPECT_TRUE(delays.EndEdit(true, "7").empty()) << "no edit open";

  ListBoxModel plain(true, ListEditMode::kNone);
  plain.Add("x");
  EXPECT_FALSE(plain.BeginEdit(0)) << "no edit mode";

  ListBoxModel names(true, ListEditMode::kPlainNames);
  names.Add("x");
  ASSERT_TRUE(names.BeginEdit(0));
  names.Add("y");
  EXPECT_TRUE(names.EndEdit(true, "z").empty()) << "a changed list closed the edit";
  EXPECT_EQ(names.items(), (std::vector<std::string>{"x", "y"}));
}

TEST(ListBoxModel, SelectionFollowsItsItem) {
  ListBoxModel list(true);
  list.Add("b");
  list.Select(0);
  list.Add("a");
  EXPECT_EQ(list.selected(), 1);
  list.Remove(0);
  EXPECT_EQ(list.selected(), 0);
  list.Remove(0);
  EXPECT_EQ(list.selected(), -1);
  EXPECT_TRUE(ListBoxModel(false, ListEditMode::kDelayValues).EditTextAllowed("0123"));
  EXPECT_FALSE(ListBoxModel(false, ListEditMode::kDelayValues).EditTextAllowed("12a"));
  EXPECT_TRUE(ListBoxModel(false, ListEditMode::kPlainNames).EditTextAllowed("12a"));
}

}  // namespace
}  // namespace n240qx
