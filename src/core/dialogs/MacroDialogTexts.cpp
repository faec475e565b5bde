#include "dialogs/MacroDialogTexts.h"

#include <array>
#include <cstddef>

#include "macros/MacroLayout.h"
#include "util/TextTable.h"

namespace n240qx {

namespace {

constexpr std::array<TextRow<MacroText>, static_cast<std::size_t>(MacroText::kCount)> kTexts{{
    {MacroText::kTitle, "Macro Management", "Macro Management"},
    {MacroText::kStartRecording, "Start Recording", "Aufnahme starten"},
    {MacroText::kStopRecording, "Stop Recording", "Aufnahme stoppen"},
    {MacroText::kDelayLine1, "Delay", "Verz\u00F6gerung"},
    {MacroText::kDelayLine2, "between", "zwischen"},
    {MacroText::kDelayLine3, "keystrokes", "Tastenanschl\u00E4ge"},
    {MacroText::kLoop, "Loop", "Schleife"},
    {MacroText::kNew, "New", "Neu"},
    {MacroText::kDelete, "Delete", "L\u00F6schen"},
    {MacroText::kOk, "OK", "OK"},
    {MacroText::kCancel, "Cancel", "Abbrechen"},
    {MacroText::kSelectToRecord, "Select a Macro file to record \n",
     "W\u00E4hle ein Macro zum aufnehmen aus"},
    {MacroText::kConfirmDelete, "Confirm to delete?",
     "Ausgew\u00E4hltes Macro l\u00F6schen?\uFF1F"},
    {MacroText::kSelectToDelete, "Please select a Macro file to delete\n",
     "W\u00E4hle ein Macro zum l\u00F6schen aus\n"},
    {MacroText::kEditCurrentDelay, "Please edit current delay\n",
     "Bitte editiere die ausgew\u00E4hlte Verz\u00F6gerung"},
    {MacroText::kFocusedOnly1, "Only keys typed", "Nur Tasten in"},
    {MacroText::kFocusedOnly2, "into this dialog", "diesem Dialog"},
    {MacroText::kFocusedOnly3, "are recorded.", "werden erfasst."},
    {MacroText::kUnreadChange,
     "MacroDefine.bin could not be read, so its macros cannot be changed here. Replace or "
     "remove the file, then start the program again.",
     "MacroDefine.bin lie\u00DF sich nicht lesen; seine Makros k\u00F6nnen hier nicht "
     "ge\u00E4ndert werden. Ersetzen oder entfernen Sie die Datei und starten Sie das Programm "
     "neu."},
    {MacroText::kUnread1, "MacroDefine.bin is", "MacroDefine.bin ist"},
    {MacroText::kUnread2, "unreadable: nothing", "unlesbar: hier wird"},
    {MacroText::kUnread3, "here can be changed.", "nichts ge\u00E4ndert."},
    {MacroText::kMacroFull, "The macro is full: delete something from it first.",
     "Das Makro ist voll: l\u00F6schen Sie zuerst etwas daraus."},
    {MacroText::kNameTaken, "Another macro already has this name.",
     "Ein anderes Makro hat schon diesen Namen."},
    {MacroText::kNameControl, "A macro name cannot hold control characters.",
     "Ein Makroname darf keine Steuerzeichen enthalten."},
    {MacroText::kPressAKey, "Insert: press a key", "Einf\u00FCgen: Taste dr\u00FCcken"},
}};

static_assert(RowsFollowIds(kTexts), "one row per MacroText, in the enum's order");

std::string Pick(Language language, std::string_view english, std::string_view german) {
  return std::string(language == Language::kGerman ? german : english);
}

MacroMenuItem MouseMenu(Language language, std::string_view english, std::string_view german,
                        MacroCommand down, MacroCommand up, MacroCommand click) {
  return {Pick(language, english, german),
          MacroCommand::kNone,
          {{Pick(language, "Down", "Unten"), down, {}},
           {Pick(language, "Up", "Oben"), up, {}},
           {Pick(language, "Click", "klicken"), click, {}}}};
}

}  // namespace

std::string_view MacroDialogText(MacroText id, Language language) {
  return LookupText(kTexts, id, language);
}

std::vector<MacroMenuItem> MacroEditorMenu(Language language) {
  using C = MacroCommand;
  return {
      {Pick(language, "Insert Before", "Vorher aufnehmen"), C::kInsertBefore, {}},
      {Pick(language, "Insert After", "Nachher aufnehmen"), C::kInsertAfter, {}},
      {Pick(language, "Insert Mouse Key", "Maus Funktion umdrehen"),
       C::kNone,
       {MouseMenu(language, "Left", "Linksklick", C::kLeftDown, C::kLeftUp, C::kLeftClick),
        MouseMenu(language, "Right", "Rechtsklick", C::kRightDown, C::kRightUp, C::kRightClick),
        MouseMenu(language, "Middle", "mittlerer Klick", C::kMiddleDown, C::kMiddleUp,
                  C::kMiddleClick)}},
      {Pick(language, "Insert Delay", "Verz\u00F6gerung einf\u00FCgen"), C::kInsertDelay, {}},
      {Pick(language, "Delete", "L\u00F6schen"), C::kDelete, {}},
  };
}

std::string BufferRoomText(std::size_t used_bytes, Language language) {
  return std::to_string(used_bytes) + " / " + std::to_string(macro_layout::kEventBufferSize) +
         (language == Language::kGerman ? " Bytes" : " bytes");
}

}  // namespace n240qx
