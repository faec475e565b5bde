#include <gtest/gtest.h>

#include "dialogs/ListBoxModel.h"

namespace n240qx {
namespace {

using Kind = ListNotice::Kind;
using Items = std::vector<std::string>;

// The clamping, the ".bin" suffix and Esc are checked through the widget (TransparentListBox).
TEST(ListBoxModel, AcceptedEditPlacesTheItemAndTellsTheOwnerInOrder) {
  struct Case {
    ListEditMode mode;
    bool sorted;
    Items items;
    int item;
    std::string typed;
    Items after;
    std::vector<ListNotice> notices;
  };
  // clang-format off
  const Case cases[] = {
      {ListEditMode::kDelayValues, false, {"A dn", "15 ms"}, 1, "80", {"A dn", "80 ms"},
       {{Kind::kEditAccepted, 1, 80, {}}, {Kind::kItemChanged, 1, 0, "15 ms"}}},
      {ListEditMode::kDelayValues, false, {"15 ms"}, 0, "15", {"15 ms"},
       {{Kind::kEditAccepted, 0, 15, {}}}},
      {ListEditMode::kFileNames, true, {"a", "b"}, 0, "zed.bin", {"b", "zed.bin"},
       {{Kind::kItemChanged, 0, 0, "a"}, {Kind::kEditAccepted, 0, 1, {}}}},
      {ListEditMode::kPlainNames, true, {"apple", "Cherry", "x"}, 2, "banana",
       {"apple", "banana", "Cherry"},
       {{Kind::kItemChanged, 2, 0, "x"}, {Kind::kEditAccepted, 2, 1, {}}}},
      {ListEditMode::kPlainNames, false, {"b", "a"}, 0, "z", {"z", "a"},
       {{Kind::kItemChanged, 0, 0, "b"}, {Kind::kEditAccepted, 0, 0, {}}}},
      {ListEditMode::kPlainNames, true, {"same"}, 0, "same", {"same"}, {}},
  };
  // clang-format on
  for (const auto& c : cases) {
    ListBoxModel list(c.sorted, c.mode);
    list.SetReportChanges(true);
    for (const auto& item : c.items) {
      list.Add(item);
    }
    ASSERT_TRUE(list.BeginEdit(c.item).has_value()) << c.typed;
    EXPECT_EQ(list.EndEdit(true, c.typed), c.notices) << c.typed;
    EXPECT_EQ(list.items(), c.after) << c.typed;
    EXPECT_EQ(list.editing(), -1) << c.typed;
  }
  EXPECT_EQ(ListBoxModel::ClampDelay("99999999999999999999"), 60000) << "no overflow";
}

TEST(ListBoxModel, RefusedOrOvertakenEditsChangeNothing) {
  ListBoxModel delays(false, ListEditMode::kDelayValues);
  for (const char* line : {"A dn", "A up", "40 ms"}) {
    delays.Add(line);
  }
  EXPECT_FALSE(delays.BeginEdit(0)) << "key lines are not delays";
  EXPECT_FALSE(delays.BeginEdit(1));
  EXPECT_FALSE(delays.BeginEdit(3));
  EXPECT_EQ(delays.BeginEdit(2), "40") << "the box shows the number alone";
  EXPECT_FALSE(delays.EditTextAllowed("12a"));
  EXPECT_FALSE(ListBoxModel(true).BeginEdit(0)) << "no edit mode";

  ListBoxModel names(true, ListEditMode::kPlainNames);
  names.Add("x");
  names.Select(0);
  ASSERT_TRUE(names.BeginEdit(0));
  names.Add("a");
  EXPECT_EQ(names.selected(), 1) << "the selection follows its item";
  EXPECT_TRUE(names.EndEdit(true, "z").empty()) << "a changed list closed the edit";
  EXPECT_EQ(names.items(), (Items{"a", "x"}));
}

}  // namespace
}  // namespace n240qx
