#include <gtest/gtest.h>

#include "dialogs/ProfileDialogModel.h"

namespace n240qx {
namespace {

using Action = ProfileDialogAction;

TEST(ProfileDialogModel, ReleasesActOnTheirAreasEdgesIncludedAndDragsMoveElsewhere) {
  struct Case {
    int x;
    int y;
    Action action;
    bool moves;
  };
  const Case cases[] = {
      {374, 10, Action::kClose, false},   {377, 14, Action::kClose, false},
      {378, 14, Action::kNone, true},     {17, 367, Action::kClose, false},
      {62, 383, Action::kClose, false},   {63, 383, Action::kNone, true},
      {273, 51, Action::kImport, false},  {373, 90, Action::kImport, false},
      {273, 91, Action::kNone, true},     {273, 98, Action::kExport, false},
      {373, 137, Action::kExport, false}, {300, 160, Action::kNone, false},
      {300, 280, Action::kNone, false},   {300, 281, Action::kNone, true},
      {100, 100, Action::kNone, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProfileDialogModel::OnButtonUp(c.x, c.y), c.action) << c.x << "," << c.y;
    EXPECT_EQ(ProfileDialogModel::MovesDialog(c.x, c.y), c.moves) << c.x << "," << c.y;
  }
}

TEST(ProfileDialogModel, OnlyTheCloseMarkHasAToolTipInTheDialogsLanguage) {
  struct Case {
    int x;
    int y;
    Language language;
    std::string_view tip;
  };
  const Case cases[] = {
      {374, 10, Language::kEnglish, "Close"},
      {377, 14, Language::kEnglish, "Close"},
      {375, 12, Language::kGerman, "Schlie\u00DFen"},
      {378, 14, Language::kEnglish, ""},
      {40, 375, Language::kEnglish, ""},
      {320, 70, Language::kGerman, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProfileDialogModel::ToolTipAt(c.x, c.y, c.language), c.tip) << c.x << "," << c.y;
  }
}

}  // namespace
}  // namespace n240qx
