#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "paint/PaintOp.h"
#include "paint/PixelRect.h"
#include "util/Language.h"

namespace n240qx {

enum class ProfileDialogAction { kNone, kClose, kImport, kExport };

// The profile dialog's surface (`CConfigureDlg`): what it draws over its background, what a
// release of the left button does where, and where a drag moves the dialog. The operations
// themselves are ProfileTransfer's.
class ProfileDialogModel {
 public:
  static constexpr std::string_view kSkinFolder = "Config";
  static constexpr std::string_view kBackground = "Profile_BK.png";
  static constexpr std::string_view kCloseMarkPicture = "button-close-normal.png";
  static constexpr PixelRect kList{16, 50, 16 + 243 - 1, 50 + 283 - 1};
  static constexpr PixelRect kCloseMark{374, 10, 377, 14};
  static constexpr PixelRect kOkArea{17, 367, 62, 383};
  // Import, Export and three more bands without an action.
  static constexpr std::array<PixelRect, 5> kBands{{{273, 51, 373, 90},
                                                    {273, 98, 373, 137},
                                                    {273, 146, 373, 185},
                                                    {273, 193, 373, 232},
                                                    {273, 241, 373, 280}}};
  // The arrows of Import and Export, drawn left of their labels where a label leaves room.
  static constexpr const char* kImportIcon = "import.png";
  static constexpr const char* kExportIcon = "export.png";
  static constexpr int kIconWidth = 12;
  static constexpr int kIconHeight = 14;
  static constexpr int kListFontHeight = 15;
  static constexpr RgbColour kListText{255, 255, 255};
  static constexpr RgbColour kListHighlight{0, 255, 255};
  // The size the dialog takes when its background picture cannot be read.
  static constexpr int kFallbackWidth = 390;
  static constexpr int kFallbackHeight = 395;

  static ProfileDialogAction OnButtonUp(int x, int y);
  // A drag anywhere but on the close mark, the OK area and the button bands moves the dialog.
  static bool MovesDialog(int x, int y);
  // What a pointer resting at (x, y) is told: the close mark is a bare check mark that does
  // not say it closes. Empty where nothing needs saying.
  static std::string_view ToolTipAt(int x, int y, Language language);
  // The labels and the close mark over the background, in order.
  static std::vector<PaintOp> Paint(Language language);

  enum class Operation { kImport, kExport, kRename };
  // What the dialog says before a failure's own message; an Import that loaded the
  // configuration but could not keep the profile says that.
  static std::string_view FailureText(Operation operation, bool configuration_changed,
                                      Language language);

  static std::string_view WindowTitle(Language language) {
    return language == Language::kGerman ? "Profile" : "Profiles";
  }
  // The file dialogs' filters, in the order offered.
  static constexpr std::string_view kProfileFilter = "bin Files(*.bin)";
  static constexpr std::string_view kAllFilesFilter = "All files (*)";
};

}  // namespace n240qx
