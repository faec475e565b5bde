#include "dialogs/ProfileDialogModel.h"

#include <algorithm>
#include <string>

namespace n240qx {

namespace {

constexpr int kLabelHeight = 20;
// Between a label and its icon, and between either and the band's edge.
constexpr int kGap = 2;

struct BandLabel {
  int x;
  int y;
  const char* text;
  const char* icon;
};

// A label fits the band it sits on; its icon stands left of it only where the band leaves room,
// which the long German "Importieren" does not.
void PaintBandLabel(const PixelRect& band, const BandLabel& label, std::vector<PaintOp>& ops) {
  const int icon_x = label.x - kGap - ProfileDialogModel::kIconWidth;
  if (icon_x >= band.left + kGap) {
    ops.push_back(PaintPicture{
        icon_x, (band.top + band.bottom) / 2 - ProfileDialogModel::kIconHeight / 2, label.icon});
  }
  ops.push_back(
      PaintText{label.x, label.y, kLabelHeight, label.text, kWhite, band.right - kGap - label.x});
}

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
  const BandLabel import_label = german ? BandLabel{282, 62, "Importieren", kImportIcon}
                                        : BandLabel{293, 62, "IMPORT", kImportIcon};
  const BandLabel export_label = german ? BandLabel{295, 110, "Export", kExportIcon}
                                        : BandLabel{293, 110, "EXPORT", kExportIcon};
  PaintBandLabel(kBands[0], import_label, ops);
  PaintBandLabel(kBands[1], export_label, ops);
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
