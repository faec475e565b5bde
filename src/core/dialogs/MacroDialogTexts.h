#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "util/Language.h"

namespace n240qx {

// The macro dialog's own texts, UTF-8, English and German.
enum class MacroText {
  kTitle,  // the window title and every message box's title
  kStartRecording,
  kStopRecording,
  kDelayLine1,
  kDelayLine2,
  kDelayLine3,
  kLoop,
  kNew,
  kDelete,
  kOk,
  kCancel,
  kSelectToRecord,
  kConfirmDelete,
  kSelectToDelete,
  kEditCurrentDelay,
  // Where the window system shows no program other programs' keys, three lines.
  kFocusedOnly1,
  kFocusedOnly2,
  kFocusedOnly3,
  // MacroDefine.bin could not be read: the message any change gets, and the notice, three lines.
  kUnreadChange,
  kUnread1,
  kUnread2,
  kUnread3,
  kMacroFull,
  kNameTaken,
  kNameControl,
  // An Insert Before/After waits for the key it inserts.
  kPressAKey,
  kCount,  // not a text
};

std::string_view MacroDialogText(MacroText id, Language language);

// The event list's popup menu. Commands carry the menu's command identifiers.
enum class MacroCommand {
  kNone = 0,
  kInsertBefore = 32790,
  kInsertAfter = 32791,
  kInsertDelay = 32793,
  kDelete = 32815,
  kLeftDown = 32800,
  kLeftUp = 32801,
  kLeftClick = 32802,
  kRightDown = 32804,
  kRightUp = 32806,
  kRightClick = 32807,
  kMiddleDown = 32811,
  kMiddleUp = 32812,
  kMiddleClick = 32813,
};

// One item: a command, or a submenu when `items` is not empty.
struct MacroMenuItem {
  std::string label;
  MacroCommand command = MacroCommand::kNone;
  std::vector<MacroMenuItem> items;
};

// Insert Before, Insert After, the mouse submenu (Left, Right, Middle, each with Down, Up and
// Click), Insert Delay and Delete, labelled in `language`.
std::vector<MacroMenuItem> MacroEditorMenu(Language language);

// How much of the 190-byte event buffer the selected macro uses, e.g. "24 / 190 bytes".
std::string BufferRoomText(std::size_t used_bytes, Language language);

}  // namespace n240qx
