#include "dialogs/ProfileDialogModel.h"

#include <algorithm>
#include <string>

namespace n240qx {

namespace {
constexpr int kLabelHeight = 20;
}  // namespace

ProfileDialogAction ProfileDialogModel::OnButtonUp(int x, int y) {
  if (kCloseMark.Contains(x, y) || kOkArea.Contains(x, y)) {
    return ProfileDialogAction::kClose;
  }
  if (kBands[0].Contains(x, y)) {
    return ProfileDialogAction::kImport;
  }
  if (kBands[1].Contains(x, y)) {
    return ProfileDialogAction::kExport;
  }
  return ProfileDialogAction::kNone;
}

bool ProfileDialogModel::MovesDialog(int x, int y) {
  return !kCloseMark.Contains(x, y) && !kOkArea.Contains(x, y) &&
         std::none_of(kBands.begin(), kBands.end(),
                      [x, y](const PixelRect& band) { return band.Contains(x, y); });
}

std::string_view ProfileDialogModel::ToolTipAt(int x, int y, Language language) {
  if (!kCloseMark.Contains(x, y)) {
    return {};
  }
  return language == Language::kGerman ? "Schlie\u00DFen" : "Close";
}

std::vector<PaintOp> ProfileDialogModel::Paint(Language language) {
  const bool german = language == Language::kGerman;
  std::vector<PaintOp> ops{PaintPicture{0, 0, std::string(kBackground)},
                           PaintPicture{373, 9, std::string(kCloseMarkPicture)}};
  if (german) {
    ops.push_back(PaintText{282, 62, kLabelHeight, "Importieren"});
    ops.push_back(PaintText{295, 110, kLabelHeight, "Export"});
  } else {
    ops.push_back(PaintText{293, 62, kLabelHeight, "IMPORT"});
    ops.push_back(PaintText{293, 110, kLabelHeight, "EXPORT"});
  }
  return ops;
}

std::string_view ProfileDialogModel::FailureText(Operation operation, bool configuration_changed,
                                                 Language language) {
  const bool german = language == Language::kGerman;
  switch (operation) {
    case Operation::kImport:
      if (configuration_changed) {
        return german ? "Das Profil wurde geladen, aber nicht abgelegt: "
                      : "The profile was loaded but not kept: ";
      }
      return german ? "Das Profil wurde nicht importiert: " : "The profile was not imported: ";
    case Operation::kExport:
      return german ? "Das Profil wurde nicht exportiert: " : "The profile was not exported: ";
    case Operation::kRename:
      break;
  }
  return german ? "Das Profil wurde nicht umbenannt: " : "The profile was not renamed: ";
}

}  // namespace n240qx
