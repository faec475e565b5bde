#pragma once

#include <string_view>

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
  kCount
};

// The dialog's texts in English and German (UTF-8).
class KeyDialogTexts {
 public:
  static std::string_view Get(KeyDialogText text, Language language);
};

}  // namespace n240qx
