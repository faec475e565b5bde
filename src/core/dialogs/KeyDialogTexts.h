#pragma once

#include <string>
#include <string_view>

#include "keys/HostAction.h"
#include "util/Language.h"

namespace n240qx {

// Every text of the key assignment dialog.
enum class KeyDialogText {
  kWindowTitle,
  kSelectedKey,
  kTabSingleCombine,
  kTabMacro,
  kTabBasic,
  kTabAdvance,
  kSingle,
  kCombine,
  kDisableKey,
  kReset,
  kClose,
  kSave,
  kPlayMusic,
  kStartup,
  kOpenFile,
  kOpenFolder,
  kSelectSubItem,
  kSelectFolder,
  kFolderChoiceTitle,
  kAllFiles,
  kPathTooLong,
  kPathControlCharacter,
  kFocusedCaptureOnly,
  kCannotSendKey,
  kLimitNotX11,
  kLimitWayland,
  kLimitNoDisplay,
  kLimitNoXInput22,
  kDesktopShortcuts,
  kDesktopShortcutKeys,
  kProfileKeys,
  kApplyProfile,
  kNextProfile,
  kPreviousProfile,
  kToggleLights,
  kCount
};

// The dialog's texts in English and German (UTF-8).
class KeyDialogTexts {
 public:
  static std::string_view Get(KeyDialogText text, Language language);
  // A host action as the dialog lists it and a key's tooltip names it: "Profile: Race",
  // "Next profile", "Previous profile", "Lights on/off".
  static std::string HostActionText(const HostAction& action, Language language);
};

}  // namespace n240qx
